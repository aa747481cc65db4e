#include <gtest/gtest.h>

#include <string>

#include "ui/EventGuard.h"
#include "ui/QtText.h"

TEST(QtText, CoreTextAndPathsKeepTheirBytes)
{
    // UTF-8 both ways, and only the view's own length (no terminating zero needed).
    const std::string degrees = "85 \xC2\xB0" "C, 1.5 \xCE\xA9 and more";
    EXPECT_EQ(ui::qtext(std::string_view(degrees).substr(0, 14)), QStringLiteral("85 \u00B0C, 1.5 \u03A9"));
    EXPECT_TRUE(ui::qtext({}).isEmpty());
    EXPECT_EQ(ui::fsPath(QStringLiteral("/tmp/Kan\u00E4le \u03A9.kcfg")).string(), "/tmp/Kan\xC3\xA4le \xCE\xA9.kcfg");
}

TEST(EventGuard, NestedScopesRestoreWhatWasSetBefore)
{
    struct Host {
        bool suppressed = false;
        bool eventsSuppressed() const { return suppressed; }
        void setEventsSuppressed(bool on) { suppressed = on; }
    } host;
    {
        ui::EventGuard outer(host);
        EXPECT_TRUE(host.suppressed);
        {
            ui::EventGuard inner(host, false);  // a user edit inside a fill
            EXPECT_FALSE(host.suppressed);
            ui::EventGuard innermost(host);
            EXPECT_TRUE(host.suppressed);
        }
        EXPECT_TRUE(host.suppressed);  // the inner scopes do not end the outer fill
    }
    EXPECT_FALSE(host.suppressed);
}
