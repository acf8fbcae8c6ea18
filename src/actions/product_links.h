#pragma once
// The maker's pages and support address behind the four link labels of the details pane.
// The labels' captions show the same addresses: the window's layout takes them from here.
#include <string_view>

namespace remvana {

class Shell;

inline constexpr const char* kProductSiteAddress = "http://www.kelvane.example/remvana/";
inline constexpr const char* kProductSuggestAddress =
    "http://www.kelvane.example/suggest-feature.html";
inline constexpr const char* kProductMailToAddress = "mailto:support@kelvane.example";
inline constexpr const char* kProductLumvexAddress = "http://www.kelvane.example/lumvex/";

enum class ProductLink { HomePage, SupportMail, SuggestFeature, Lumvex };

// The shell target a link label opens.
std::string_view productLinkTarget(ProductLink link);
// Opens the link's target in the user's browser or mail program; a target the shell
// cannot open is silently ignored, as the shell reports nothing back.
void openProductLink(ProductLink link, Shell& shell);

} // namespace remvana
