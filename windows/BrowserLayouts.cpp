#include "windows/BrowserLayouts.h"

#include "toolkit/Window.h"

#include <cstring>

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

namespace {

constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;
constexpr int kLineText = 0x011993;
constexpr int kKeywordBlue = 0x0433FF;
constexpr int kCountGreen = 0x009014;
constexpr int kSearchLineBackground = 0xECFFF4;
constexpr int kDividerFill = 0x797979;

const QList<ControlLooks> &looksTable()
{
    static const QList<ControlLooks> table{
        {.name = "pbQuit", .text = "Quit", .accessibleName = "Quit", .accessibleDescription = "Ends Vantrel"},
        {.name = "pbHelp1",
         .accessibleName = "Help: Overview",
         .accessibleDescription = "Opens the help topic Overview",
         .helpButton = true},
        {.name = "pbHelp2",
         .accessibleName = "Help: Old Deprecations",
         .accessibleDescription = "Opens the help topic Old Deprecations",
         .helpButton = true},
        {.name = "pbHelp3",
         .accessibleName = "Help: Search Field",
         .accessibleDescription = "Opens the help topic Search Field",
         .helpButton = true},
        {.name = "pbHelp4",
         .accessibleName = "Help: Filtered List",
         .accessibleDescription = "Opens the help topic Filtered List",
         .helpButton = true},
        {.name = "pbTest", .text = "Test", .accessibleName = "Test"},
        {.name = "lbRecent",
         .accessibleName = "Current deprecations",
         .accessibleDescription = "The current catalogue, newest first. Click a header to sort by that column."},
        {.name = "tfSelectRecent",
         .text = "*",
         .accessibleName = "Selected current deprecation",
         .accessibleDescription = "The row selected in the current deprecations, with its replacement",
         .textColor = kLineText,
         .background = kWhite,
         .alignment = Qt::AlignCenter,
         .announcesValue = true},
        {.name = "lbHistory",
         .accessibleName = "Old deprecations",
         .accessibleDescription = "The old catalogue, releases 2008r1 to 2015r4"},
        {.name = "labSelectedHistoryLine",
         .text = "*",
         .accessibleName = "Selected old deprecation",
         .textColor = kLineText,
         .alignment = Qt::AlignCenter,
         .announcesValue = true},
        {.name = "lbSearch",
         .accessibleName = "Filtered list",
         .accessibleDescription = "The entries that match the search word"},
        {.name = "tfSearch",
         .accessibleName = "Search",
         .accessibleDescription =
             "Type a word of an old or a new name; the matching entries appear in the filtered list",
         .textColor = kBlack,
         .background = kWhite},
        {.name = "labSearch",
         .text = "*",
         .accessibleName = "Current filter word",
         .tooltip = "Current filter word",
         .textColor = kKeywordBlue,
         .font = FontRole::Bold,
         .announcesValue = true},
        {.name = "tfSelectedSearchLine",
         .text = "*",
         .accessibleName = "Selected filtered entry",
         .accessibleDescription = "The row selected in the filtered list, with its replacement",
         .textColor = kLineText,
         .background = kSearchLineBackground,
         .alignment = Qt::AlignCenter,
         .announcesValue = true},
        {.name = "rectDivideLine",
         .accessibleName = "Divider",
         .background = kDividerFill,
         .border = kBlack,
         .borderThickness = 1,
         .cornerSize = 2},
        {.name = "labMagGlass",
         .text = "\U0001F50D\r",
         .accessibleName = "Search symbol",
         .textColor = kBlack,
         .font = FontRole::Emoji},
        {.name = "labSearchNum",
         .text = ".",
         .accessibleName = "Number of hits",
         .tooltip = "Displays the number of entries tn the middle listbox which is displaying the filtered list.",
         .textColor = kCountGreen,
         .alignment = Qt::AlignCenter,
         .font = FontRole::Count,
         .announcesValue = true},
        {.name = "pbElephant",
         .text = "\U0001F418",
         .accessibleName = "Enlarge filtered list",
         .accessibleDescription = "Maximize Filtered (green) Listbox",
         .tooltip = "Maximize Filtered (green) Listbox",
         .font = FontRole::SwitchGlyph},
        {.name = "pbMouse",
         .text = "\U0001F42D",
         .accessibleName = "Shrink filtered list",
         .accessibleDescription = "Minimize Filtered (green) Listbox",
         .tooltip = "Minimize Filtered (green) Listbox",
         .font = FontRole::SwitchGlyph},
    };
    return table;
}

} // namespace

const ControlLooks *LooksOf(const char *name)
{
    for (const ControlLooks &row : looksTable()) {
        if (std::strcmp(row.name, name) == 0)
            return &row;
    }
    return nullptr;
}

} // namespace BrowserLayouts
