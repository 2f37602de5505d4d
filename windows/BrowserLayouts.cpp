#include "windows/BrowserLayouts.h"

#include "toolkit/Window.h"

namespace BrowserLayouts {

namespace {
constexpr int L = Toolkit::AnchorLeft;
constexpr int T = Toolkit::AnchorTop;
constexpr int R = Toolkit::AnchorRight;
constexpr int B = Toolkit::AnchorBottom;
} // namespace

const LayoutTable &MainLayout()
{
    static const LayoutTable table{
        "winMain",
        "Vantrel",
        QSize(1000, 800),
        QSize(800, 600),
        QSize(2500, 3000),
        {
            {"pbQuit", Kind::Button, 920, 760, 60, 20, R | B},
            {"pbHelp1", Kind::Button, 2, 2, 25, 25, L | T},
            {"pbTest", Kind::Button, 907, 728, 80, 20, R | B},
            {"pbHelp2", Kind::Button, 2, 580, 25, 25, L | B},
            {"lbRecent", Kind::ListBox, 20, 37, 955, 296, L | T | R | B},
            {"tfSelectRecent", Kind::TextField, 20, 338, 955, 22, L | R | B},
            {"lbHistory", Kind::ListBox, 39, 580, 800, 182, L | R | B},
            {"labSelectedHistoryLine", Kind::Label, 39, 765, 750, 22, L | R | B},
            {"lbSearch", Kind::ListBox, 20, 368, 940, 170, L | R | B},
            {"tfSearch", Kind::TextField, 180, 5, 170, 22, L | T},
            {"labSearch", Kind::Label, 360, 5, 230, 20, L | T},
            {"tfSelectedSearchLine", Kind::TextField, 20, 546, 940, 22, L | R | B},
            {"rectDivideLine", Kind::Rectangle, 20, 570, 960, 3, L | R | B},
            {"labMagGlass", Kind::Label, 150, 5, 24, 20, L | T},
            {"pbHelp3", Kind::Button, 114, 2, 25, 25, L | T},
            {"labSearchNum", Kind::Label, 600, 5, 70, 20, L | T},
            {"pbHelp4", Kind::Button, 966, 368, 25, 25, R | B},
            {"pbElephant", Kind::Button, 962, 400, 35, 26, R | B},
        },
        {"pbTest", "lbRecent", "lbSearch", "pbHelp3", "pbElephant"},
    };
    return table;
}

// The expanded layout drops the old catalogue and gives its height to the green list; the top
// list and its line keep their height and stay at the top.
const LayoutTable &ExpandFilterLayout()
{
    static const LayoutTable table{
        "winExpandFilter",
        "Vantrel: Expandable Filtered List",
        QSize(1000, 800),
        QSize(800, 600),
        QSize(2500, 3000),
        {
            {"pbHelp1", Kind::Button, 2, 2, 25, 25, L | T},
            {"lbRecent", Kind::ListBox, 20, 37, 955, 296, L | T | R},
            {"tfSelectRecent", Kind::TextField, 20, 338, 955, 22, L | T | R},
            {"lbSearch", Kind::ListBox, 20, 368, 940, 378, L | T | R | B},
            {"tfSearch", Kind::TextField, 180, 5, 170, 22, L | T},
            {"labSearch", Kind::Label, 360, 5, 230, 20, L | T},
            {"tfSelectedSearchLine", Kind::TextField, 20, 758, 940, 22, L | R | B},
            {"labMagGlass", Kind::Label, 150, 5, 24, 20, L | T},
            {"pbHelp3", Kind::Button, 114, 2, 25, 25, L | T},
            {"labSearchNum", Kind::Label, 600, 5, 70, 20, L | T},
            {"pbHelp4", Kind::Button, 966, 368, 25, 25, T | R},
            {"pbMouse", Kind::Button, 962, 400, 35, 26, T | R},
        },
        {"lbRecent", "lbSearch", "pbHelp3", "pbMouse"},
    };
    return table;
}

} // namespace BrowserLayouts
