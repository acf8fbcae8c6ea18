#pragma once
// The maker's pages and support address that the four link labels of the details pane show
// and open. The captions show the targets themselves, so the window and the click handlers
// share these one definitions. The maker's hosts live under the reserved .example domain:
// no real site is implied.
#include <string_view>

namespace remvana {

class Shell;

inline constexpr std::string_view kMakerHost = "www.kelvane.example";
// The tooltips of three labels name the same pages on the maker's second host.
inline constexpr std::string_view kMakerTooltipHost = "www.kelvane-software.example";

inline constexpr std::string_view kProductHomePage = "http://www.kelvane.example/remvana/";
inline constexpr std::string_view kSuggestFeaturePage =
    "http://www.kelvane.example/suggest-feature.html";
inline constexpr std::string_view kLumvexPage = "http://www.kelvane.example/lumvex/";
inline constexpr std::string_view kSupportMailTarget = "mailto:support@kelvane.example";

inline constexpr std::string_view kProductHomePageTooltip =
    "http://www.kelvane-software.example/remvana/";
inline constexpr std::string_view kSuggestFeaturePageTooltip =
    "http://www.kelvane-software.example/suggest-feature.html";
inline constexpr std::string_view kSupportMailTooltip = "mailto:support@kelvane-software.example";
// The Lumvex label's caption is its product's name; its tooltip is the page's address.
inline constexpr std::string_view kLumvexCaption = "Download Lumvex";

enum class ProductLink { HomePage, SupportMail, SuggestFeature, Lumvex };

// The shell target a link label opens.
std::string_view productLinkTarget(ProductLink link);
// Opens the link's target in the user's browser or mail program; a target the shell
// cannot open is silently ignored, as the shell reports nothing back.
void openProductLink(ProductLink link, Shell& shell);

} // namespace remvana
