#include <gtest/gtest.h>

#include "fake_param_label.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {
namespace {

class ParamInteractionTest : public ::testing::Test {
  protected:
    ParamInteractionTest() {
        label.options.ParamHint = true;
        label.events.OnParamEnter = [&](TParamLabel*, const std::string& h, const std::string& v) {
            log.push_back("enter " + h + "=" + v);
        };
        label.events.OnParamExit = [&](TParamLabel*, const std::string& h, const std::string& v) {
            log.push_back("exit " + h + "=" + v);
        };
        label.events.OnParamEditStart = [&](TParamLabel*, const std::string& h, std::string& v) {
            log.push_back("start " + h + "=" + v);
        };
        label.events.OnParamEditDone = [&](TParamLabel*, const std::string& h, std::string& v) {
            log.push_back("done " + h + "=" + v);
        };
    }
    FakeLabel host;
    ParamInteraction label{host, nullptr};
    std::vector<std::string> log;
};

TEST_F(ParamInteractionTest, HoverEntersAndExitsAnchorsWithTheHandCursor) {
    label.mouseMove({0, 5});
    EXPECT_FALSE(label.handCursor());
    label.mouseMove({20, 5});
    EXPECT_TRUE(label.handCursor());
    EXPECT_EQ(1, label.hoveredAnchor());
    EXPECT_EQ("Publisher", label.currentAnchor());
    label.mouseMove({25, 5}); // same anchor: no second enter
    label.mouseMove({60, 5}); // straight onto the next one
    EXPECT_EQ(2, label.hoveredAnchor());
    label.mouseMove({45, 30}); // off anchors
    EXPECT_FALSE(label.handCursor());
    EXPECT_EQ(-1, label.hoveredAnchor());
    EXPECT_EQ((std::vector<std::string>{"enter Publisher=old", "exit Publisher=old",
                                        "enter Contact=old", "exit Contact=old"}),
              log);
    // The hovered rectangle (inflated by a pixel) was repainted on the way in.
    ASSERT_FALSE(host.repaints.empty());
    EXPECT_EQ((Rect{9, -1, 41, 15}), host.repaints.front());
}

TEST_F(ParamInteractionTest, LeavingTheControlExitsOnceAndForgetsTheHover) {
    label.mouseMove({20, 5});
    label.mouseLeave();
    EXPECT_EQ(-1, label.hoveredAnchor());
    EXPECT_FALSE(label.handCursor());
    label.mouseMove({45, 30});
    label.mouseLeave();
    EXPECT_EQ((std::vector<std::string>{"enter Publisher=old", "exit Publisher=old"}), log);
}

TEST_F(ParamInteractionTest, PressOnAnEditAnchorOpensTheEditorAboveItsScreenPoint) {
    label.mouseDown({20, 5});
    EXPECT_EQ(1, host.focusTaken);
    EXPECT_TRUE(label.editing());
    EXPECT_EQ(0, label.focusedIndex());
    EXPECT_EQ("Publisher", host.editorHref);
    // Inflated rect (9,-1)-(41,15), moved down 6, to screen (+100,+200), 2 px higher.
    EXPECT_EQ((Point{109, 203}), host.editorAt);
    EXPECT_EQ(32 + 16, host.editorWidth);
    EXPECT_EQ("old", host.editorText);
    // While editing, hovering tracks the anchor but no longer moves the hover colour.
    label.mouseMove({60, 5});
    EXPECT_EQ(-1, label.hoveredAnchor());
}

TEST_F(ParamInteractionTest, NarrowAnchorsGetAMinimumEditorAndAutoSizeNeverShrinks) {
    EXPECT_EQ(32, textEditorWidth(3));
    EXPECT_EQ(116, textEditorWidth(100));
    EXPECT_EQ(116, autoSizedEditorWidth(116, 90));
    EXPECT_EQ(216, autoSizedEditorWidth(116, 200));
}

TEST_F(ParamInteractionTest, CommitEscapesIntoTheMarkupAndRaisesDoneEvenWhenUnchanged) {
    label.mouseDown({60, 5});
    label.editDone("Contact", "A & B");
    EXPECT_FALSE(label.editing());
    EXPECT_EQ("A & B", GetParamValue(host.markup, "Contact"));
    EXPECT_NE(std::string::npos, host.markup.find(">A &amp; B</a>"));
    EXPECT_EQ("old", GetParamValue(host.markup, "Publisher"));
    label.editDone("Contact", "A & B");
    EXPECT_EQ(
        (std::vector<std::string>{"start Contact=old", "done Contact=A & B", "done Contact=A & B"}),
        log);
}

TEST_F(ParamInteractionTest, EmptyCommitBecomesEmptyParamAndReopensEmpty) {
    label.mouseDown({20, 5});
    label.editDone("Publisher", "");
    EXPECT_EQ("?", GetParamValue(host.markup, "Publisher"));
    label.mouseDown({20, 5});
    EXPECT_EQ("", host.editorText);
    EXPECT_EQ("done Publisher=?", log[1]);
    EXPECT_EQ("start Publisher=", log[2]);

    // With no EmptyParam an emptied anchor stays empty.
    label.options.EmptyParam = "";
    label.editDone("Publisher", "");
    EXPECT_EQ("", GetParamValue(host.markup, "Publisher"));
}

TEST_F(ParamInteractionTest, DoneHandlerMayChangeTheValueAndUnknownNamesChangeNothing) {
    label.events.OnParamEditDone = [](TParamLabel*, const std::string&, std::string& v) {
        v = "[" + v + "]";
    };
    label.editDone("Publisher", "<x>");
    EXPECT_EQ("[<x>]", GetParamValue(host.markup, "Publisher"));
    std::string before = host.markup;
    label.editDone("Nobody", "v");
    EXPECT_EQ(before, host.markup);
}

TEST_F(ParamInteractionTest, ArrowKeysWrapBothWaysAndOpenTheFocusedAnchor) {
    EXPECT_EQ(0, label.focusedIndex());
    EXPECT_TRUE(label.keyDown(ParamKey::Left));
    EXPECT_EQ(2, label.focusedIndex());
    EXPECT_TRUE(label.keyDown(ParamKey::Down));
    EXPECT_EQ(0, label.focusedIndex());
    label.keyDown(ParamKey::Right);
    EXPECT_EQ(1, label.focusedIndex());
    label.keyDown(ParamKey::Up);
    EXPECT_EQ(0, label.focusedIndex());
    EXPECT_EQ(4, host.fullRepaints);

    label.keyDown(ParamKey::Right);
    EXPECT_TRUE(label.keyDown(ParamKey::F2));
    EXPECT_EQ("Contact", host.editorHref); // the name as written, not upper-cased
    label.editDone(host.editorHref, "x");
    EXPECT_TRUE(label.keyDown(ParamKey::Space));
    EXPECT_TRUE(label.keyDown(ParamKey::Return));
    EXPECT_EQ(3, host.editorOpens);
    EXPECT_FALSE(label.keyDown(ParamKey::Other));

    host.tabStopOn = false;
    EXPECT_FALSE(label.keyDown(ParamKey::Right));
    EXPECT_EQ(1, label.focusedIndex());
}

TEST_F(ParamInteractionTest, AdvanceOnReturnOpensTheNextEditAnchorOnlyWhenAsked) {
    label.mouseDown({20, 5});
    label.editDone("Publisher", "x");
    label.advance();
    EXPECT_EQ(1, host.editorOpens);

    label.options.AdvanceOnReturn = true;
    label.advance();
    EXPECT_EQ("Contact", host.editorHref);
    EXPECT_EQ(1, label.focusedIndex());
    // The last anchor has no class, so advancing from Contact opens nothing.
    label.advance();
    EXPECT_EQ(2, host.editorOpens);
}

TEST_F(ParamInteractionTest, PlainAnchorCommitsOnlyWhatItsClickHandlerChanged) {
    label.mouseDown({95, 5}); // no OnParamClick: nothing at all
    EXPECT_FALSE(label.editing());
    EXPECT_TRUE(log.empty());
    label.events.OnParamClick = [](TParamLabel*, const std::string&, std::string& v) { v += "!"; };
    label.mouseDown({95, 5});
    EXPECT_EQ("p!", GetParamValue(host.markup, "Plain"));
    EXPECT_FALSE(label.editing());
    label.events.OnParamClick = [](TParamLabel*, const std::string&, std::string&) {};
    int writes = host.markupWrites;
    label.mouseDown({95, 5});
    EXPECT_EQ(writes, host.markupWrites);
}

TEST_F(ParamInteractionTest, HintsNameTheAnchorAndStayQuietWhileEditing) {
    ParamHintAnswer away = label.hintAt({45, 30}, {500, 500});
    EXPECT_EQ(ParamHintAnswer::Kind::Ordinary, away.kind);

    ParamHintAnswer hint = label.hintAt({20, 5}, {500, 500});
    EXPECT_EQ(ParamHintAnswer::Kind::Show, hint.kind);
    EXPECT_EQ("Who & where", hint.text);
    EXPECT_EQ((Point{510, 490}), hint.screenPosition);
    EXPECT_EQ("Contact", label.hintAt({60, 5}, {0, 0}).text);

    std::string seenHref;
    label.events.OnParamHint = [&](TParamLabel*, const std::string& h, std::string&, bool& show) {
        seenHref = h;
        show = false;
    };
    EXPECT_EQ(ParamHintAnswer::Kind::Suppressed, label.hintAt({20, 5}, {0, 0}).kind);
    EXPECT_EQ("Publisher", seenHref);

    label.mouseDown({20, 5});
    EXPECT_EQ(ParamHintAnswer::Kind::Ordinary, label.hintAt({20, 5}, {0, 0}).kind);
    label.editCancelled();
    EXPECT_NE(ParamHintAnswer::Kind::Ordinary, label.hintAt({20, 5}, {0, 0}).kind);
}

TEST_F(ParamInteractionTest, AHintIsCancelledOnceTheMouseMovesToAnotherAnchor) {
    label.mouseMove({20, 5});
    label.hintAt({20, 5}, {0, 0});
    int before = host.hintCancels;
    label.mouseMove({21, 5});
    EXPECT_EQ(before, host.hintCancels);
    label.mouseMove({45, 30});
    EXPECT_EQ(before + 1, host.hintCancels);
    label.mouseMove({46, 30}); // nothing left to cancel
    EXPECT_EQ(before + 1, host.hintCancels);
}

TEST_F(ParamInteractionTest, ReleasingOnACheckBoxTogglesItsValueInTheMarkup) {
    host.markup += "<CONTROL type=\"CHECK\" id=\"c1\" value=\"FALSE\">";
    std::vector<std::string> clicks;
    label.events.OnControlClick = [&](TParamLabel*, int, int, const std::string& id,
                                      const std::string& type, const std::string& value) {
        clicks.push_back(id + " " + type + " " + value);
    };
    label.mouseDown({15, 25});
    EXPECT_TRUE(label.mouseButtonDown());
    label.mouseUp({15, 25});
    EXPECT_FALSE(label.mouseButtonDown());
    EXPECT_NE(std::string::npos, host.markup.find("value=\"TRUE\""));
    label.mouseDown({15, 25});
    label.mouseUp({15, 25});
    EXPECT_NE(std::string::npos, host.markup.find("value=\"FALSE\""));
    EXPECT_EQ((std::vector<std::string>{"c1 CHECK FALSE", "c1 CHECK TRUE"}), clicks);
    label.mouseUp({200, 200});
    EXPECT_EQ(2u, clicks.size());
}

} // namespace
} // namespace remvana
