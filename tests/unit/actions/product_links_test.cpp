#include <gtest/gtest.h>

#include "actions/product_links.h"
#include "fakes/fake_shell.h"

namespace remvana {
namespace {

TEST(ProductLinks, EachLabelOpensItsOwnTargetOnce) {
    FakeShell shell;
    openProductLink(ProductLink::HomePage, shell);
    openProductLink(ProductLink::SupportMail, shell);
    openProductLink(ProductLink::SuggestFeature, shell);
    openProductLink(ProductLink::Lumvex, shell);
    EXPECT_EQ((std::vector<std::string>{"http://www.kelvane.example/remvana/",
                                        "mailto:support@kelvane.example",
                                        "http://www.kelvane.example/suggest-feature.html",
                                        "http://www.kelvane.example/lumvex/"}),
              shell.openedTargets);
}

} // namespace
} // namespace remvana
