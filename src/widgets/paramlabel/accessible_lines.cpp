#include "widgets/paramlabel/accessible_lines.h"

#include "widgets/paramlabel/markup_tags.h"
#include "widgets/paramlabel/markup_text.h"

namespace remvana {
namespace {

// Text as the label draws it: "&&" shows one "&", a single "&" only underlines the next
// character.
std::string shownText(const std::string& run) {
    std::string out;
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] != '&') {
            out += run[i];
        } else if (i + 1 < run.size() && run[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

std::string trimmed(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// Tags after which the label starts a new line.
bool breaksLine(const TagInfo& tag) {
    switch (tag.kind) {
    case TagKind::Break:
    case TagKind::Rule:
        return !tag.closing;
    case TagKind::Paragraph:
        return tag.closing;
    case TagKind::ListItem:
        return !tag.closing;
    default:
        return false;
    }
}

class LineCollector {
  public:
    explicit LineCollector(bool clickHandled) : clickHandled_(clickHandled) {}

    void text(const std::string& shown) {
        if (inAnchor_ || line_.firstAnchor >= 0)
            value_ += shown;
        else
            before_ += shown;
    }

    void openAnchor(const std::string& tag) {
        const int index = anchors_++;
        inAnchor_ = true;
        ++line_.anchorCount;
        if (line_.firstAnchor >= 0) return;
        line_.firstAnchor = index;
        if (!attributeValue(tag, "CLASS").empty())
            line_.kind = AnchorKind::Editable;
        else
            line_.kind = clickHandled_ ? AnchorKind::Link : AnchorKind::Inert;
    }

    void closeAnchor() { inAnchor_ = false; }

    void endLine() {
        if (line_.firstAnchor < 0) {
            const std::size_t colon = before_.find(':');
            if (colon != std::string::npos) {
                value_ = before_.substr(colon + 1);
                before_.erase(colon);
            }
        } else if (std::size_t colon = before_.find_last_of(':');
                   colon != std::string::npos && trimmed(before_.substr(colon + 1)).empty()) {
            // "Publisher : " before the value: the colon only separates them.
            before_.erase(colon);
        }
        line_.name = trimmed(before_);
        line_.value = trimmed(value_);
        if (!line_.name.empty() || !line_.value.empty()) lines_.push_back(line_);
        line_ = AccessibleLine{};
        before_.clear();
        value_.clear();
    }

    std::vector<AccessibleLine> take() {
        endLine();
        return std::move(lines_);
    }

  private:
    bool clickHandled_;
    std::vector<AccessibleLine> lines_;
    AccessibleLine line_;
    std::string before_;
    std::string value_;
    int anchors_ = 0;
    bool inAnchor_ = false;
};

} // namespace

std::vector<AccessibleLine> accessibleLines(const std::string& markup, bool clickHandled) {
    const std::string text = preprocessMarkup(markup);
    LineCollector lines(clickHandled);
    bool hidden = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('<', at);
        const std::size_t runEnd = open == std::string::npos ? text.size() : open;
        if (!hidden && runEnd > at)
            lines.text(shownText(decodeTextRun(text.substr(at, runEnd - at))));
        if (open == std::string::npos) break;
        const std::size_t close = text.find('>', open);
        // A "<" never closed takes the rest with it, as the label draws it.
        if (close == std::string::npos) break;
        const std::string tag = text.substr(open + 1, close - open - 1);
        const TagInfo info = classifyTag(tag);
        if (info.kind == TagKind::Hidden) hidden = !info.closing;
        if (info.kind == TagKind::Anchor) {
            if (info.closing)
                lines.closeAnchor();
            else
                lines.openAnchor(tag);
        }
        if (breaksLine(info)) lines.endLine();
        at = close + 1;
    }
    return lines.take();
}

int lineOfAnchor(const std::vector<AccessibleLine>& lines, int anchorIndex) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const AccessibleLine& line = lines[i];
        if (line.firstAnchor >= 0 && anchorIndex >= line.firstAnchor &&
            anchorIndex < line.firstAnchor + line.anchorCount)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace remvana
