#include "windows/BrowserWindow.h"

#include "app/App.h"
#include "app/MainMenuBar.h"
#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "errors/CatchClause.h"
#include "help/Help.h"
#include "search/KeywordLists.h"
#include "search/Search.h"
#include "search/SearchFilter.h"
#include "search/WordCombo.h"
#include "toolkit/Controls.h"
#include "toolkit/ListBox.h"
#include "toolkit/System.h"
#include "util/FileTools.h"
#include "windows/BrowserLayouts.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>

#include <climits>
#include <utility>

namespace {

using BrowserLayouts::Kind;

const QColor kLineText(1, 25, 147);
const QColor kKeywordBlue(4, 51, 255);
const QColor kCountGreen(0, 144, 20);
const QColor kSearchLineBackground(236, 255, 244);
const QColor kFilteredCell(240, 255, 240);
const QColor kDividerFill(121, 121, 121);

const QString kStarSeparator = QStringLiteral("   *   ");

const char *const kHeaders5[] = {"Chrono", "Name", "Status", "When", "Now"};

QPointer<BrowserWindow> &openWindow(BrowserWindow::Layout layout)
{
    static QPointer<BrowserWindow> windows[2];
    return windows[layout == BrowserWindow::Layout::Main ? 0 : 1];
}

const BrowserLayouts::LayoutTable &tableOf(BrowserWindow::Layout layout)
{
    return layout == BrowserWindow::Layout::Main ? BrowserLayouts::MainLayout() : BrowserLayouts::ExpandFilterLayout();
}

// Sizes in the layout are points of 1/72 inch, one pixel each at the layout's scale, as on the
// desktop the layout was drawn for; Qt's point sizes follow the screen's DPI (96 on Linux), so
// explicit sizes are given in pixels to keep text in proportion to its control.
constexpr int kCountPixelSize = 18;
constexpr int kSwitchGlyphPixelSize = 16;

// The hit count is shown at its full size when it fits its label, else a little smaller: a
// clipped "272 hits" would show a wrong number.
void fitCountFont(QLabel *label)
{
    QFont f = label->font();
    f.setPixelSize(kCountPixelSize);
    const int room = label->contentsRect().width();
    while (f.pixelSize() > 10 && QFontMetrics(f).horizontalAdvance(label->text()) > room)
        f.setPixelSize(f.pixelSize() - 1);
    if (f != label->font())
        label->setFont(f);
}

// Emoji need a colour emoji font: the default font has none (or, for the mouse, a black and
// white one), so it is put first for the controls that show one.
void useEmojiFont(QWidget *w, int pixelSize)
{
    QFont f = w->font();
    f.setFamilies({QStringLiteral("Noto Color Emoji"), QStringLiteral("Apple Color Emoji"),
                   QStringLiteral("Segoe UI Emoji"), f.family()});
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    w->setFont(f);
}

// The labels that carry a result (keyword, hit count, selected old entry) are read by a screen
// reader through their accessible name alone, so the name tells what the label shows after
// what it is; the role is kept on the label when it is built.
const char *const kAccessibleRole = "vantrelAccessibleRole";

void setResultLabel(Toolkit::Label *label, const QString &value)
{
    label->setTextValue(value);
    const QString role = label->property(kAccessibleRole).toString();
    label->setAccessibleName(value.isEmpty() ? role : role + QStringLiteral(": ") + value);
}

// Rows collected for lbSearch are appended in one go; if the run fails part-way, the rows it
// had already found still reach the list, as a row-by-row refill would have left them.
struct PendingRows
{
    Toolkit::ListBox *list;
    QList<QStringList> rows;

    void flush()
    {
        if (!rows.isEmpty())
            list->AddRows(std::exchange(rows, {}));
    }
    ~PendingRows() { flush(); }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Creation

BrowserWindow *BrowserWindow::existing(Layout layout) { return openWindow(layout); }

BrowserWindow *BrowserWindow::create(Layout layout)
{
    auto *window = new BrowserWindow(layout);
    openWindow(layout) = window;
    return window;
}

BrowserWindow *winMain()
{
    BrowserWindow *w = BrowserWindow::existing(BrowserWindow::Layout::Main);
    if (!w) {
        w = BrowserWindow::create(BrowserWindow::Layout::Main);
        w->show();
    }
    return w;
}

BrowserWindow *winExpandFilter()
{
    BrowserWindow *w = BrowserWindow::existing(BrowserWindow::Layout::ExpandFilter);
    if (!w) {
        w = BrowserWindow::create(BrowserWindow::Layout::ExpandFilter);
        w->show();
    }
    return w;
}

BrowserWindow::BrowserWindow(Layout layout)
    : Toolkit::DocumentWindow(tableOf(layout).size)
    , m_layout(layout)
    , m_name(tableOf(layout).windowName)
{
    const BrowserLayouts::LayoutTable &table = tableOf(layout);
    setObjectName(QLatin1String(m_name));
    setAttribute(Qt::WA_DeleteOnClose);

    // Layout: the white background is assigned but not used (the system background shows),
    // the menu bar, then the attributes: no close button, minimise and maximise present.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    setWindowTitle(QString::fromUtf8(table.title));
    setMenuBar(MainMenuBar::Build(this, this));
    setContentMinimumSize(table.minimumSize);
    setContentMaximumSize(table.maximumSize);
    // The size is that of the content area, below the menu bar where the window has one.
    setWidth(table.size.width());
    setHeight(table.size.height());

    CreateControls();
    AddMenuHandlers();

    // The controls' own opening handlers, then the window's.
    if (pbTest())
        pbTest_Opening();
    Event_Opening();
}

BrowserWindow::~BrowserWindow()
{
    QPointer<BrowserWindow> &slot = openWindow(m_layout);
    if (slot == this)
        slot = nullptr;
}

template<typename T>
T *BrowserWindow::typed(const char *name) const
{
    return static_cast<T *>(m_controls.value(QLatin1String(name)));
}

Toolkit::Button *BrowserWindow::pbQuit() const { return typed<Toolkit::Button>("pbQuit"); }
Toolkit::Button *BrowserWindow::pbHelp1() const { return typed<Toolkit::Button>("pbHelp1"); }
Toolkit::Button *BrowserWindow::pbTest() const { return typed<Toolkit::Button>("pbTest"); }
Toolkit::Button *BrowserWindow::pbHelp2() const { return typed<Toolkit::Button>("pbHelp2"); }
Toolkit::ListBox *BrowserWindow::lbRecent() const { return typed<Toolkit::ListBox>("lbRecent"); }
Toolkit::TextField *BrowserWindow::tfSelectRecent() const { return typed<Toolkit::TextField>("tfSelectRecent"); }
Toolkit::ListBox *BrowserWindow::lbHistory() const { return typed<Toolkit::ListBox>("lbHistory"); }
Toolkit::Label *BrowserWindow::labSelectedHistoryLine() const
{
    return typed<Toolkit::Label>("labSelectedHistoryLine");
}
Toolkit::ListBox *BrowserWindow::lbSearch() const { return typed<Toolkit::ListBox>("lbSearch"); }
Toolkit::TextField *BrowserWindow::tfSearch() const { return typed<Toolkit::TextField>("tfSearch"); }
Toolkit::Label *BrowserWindow::labSearch() const { return typed<Toolkit::Label>("labSearch"); }
Toolkit::TextField *BrowserWindow::tfSelectedSearchLine() const
{
    return typed<Toolkit::TextField>("tfSelectedSearchLine");
}
Toolkit::Rectangle *BrowserWindow::rectDivideLine() const { return typed<Toolkit::Rectangle>("rectDivideLine"); }
Toolkit::Label *BrowserWindow::labMagGlass() const { return typed<Toolkit::Label>("labMagGlass"); }
Toolkit::Button *BrowserWindow::pbHelp3() const { return typed<Toolkit::Button>("pbHelp3"); }
Toolkit::Label *BrowserWindow::labSearchNum() const { return typed<Toolkit::Label>("labSearchNum"); }
Toolkit::Button *BrowserWindow::pbHelp4() const { return typed<Toolkit::Button>("pbHelp4"); }
Toolkit::Button *BrowserWindow::pbElephant() const { return typed<Toolkit::Button>("pbElephant"); }
Toolkit::Button *BrowserWindow::pbMouse() const { return typed<Toolkit::Button>("pbMouse"); }

void BrowserWindow::CreateControls()
{
    const BrowserLayouts::LayoutTable &table = tableOf(m_layout);
    for (const BrowserLayouts::ControlRow &c : table.controls) {
        const QString name = QLatin1String(c.name);
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Button: {
            auto *b = new Toolkit::Button;
            b->setFocusPolicy(Qt::ClickFocus);
            w = b;
            break;
        }
        case Kind::ListBox: {
            const int columns = name == QLatin1String("lbHistory") ? 4 : 5;
            auto *l = new Toolkit::ListBox(columns);
            QStringList headers;
            for (int i = 0; i < columns; ++i)
                headers << QLatin1String(kHeaders5[i]);
            l->setHeaders(headers);
            l->setColumnWidths(QStringLiteral("50,*,55,60,*"));
            // Entry numbers are the chronology: 2 comes before 10.
            l->setNumericSortColumns({0});
            l->setFocusPolicy(Qt::ClickFocus);
            // Tab leaves the list for the next tab stop instead of moving between its cells.
            l->setTabKeyNavigation(false);
            w = l;
            break;
        }
        case Kind::TextField: {
            auto *t = new Toolkit::TextField;
            t->setFocusPolicy(Qt::ClickFocus);
            w = t;
            break;
        }
        case Kind::Label:
            w = new Toolkit::Label;
            break;
        case Kind::Rectangle:
            w = new Toolkit::Rectangle;
            break;
        }
        w->setObjectName(name);
        m_controls.insert(name, w);
        content()->place(w, QRect(c.left, c.top, c.width, c.height), c.anchors);
    }

    auto text = [](QWidget *w, const QString &value) {
        if (auto *t = qobject_cast<Toolkit::TextField *>(w))
            t->setTextValue(value);
        else if (auto *l = qobject_cast<Toolkit::Label *>(w))
            l->setTextValue(value);
        else if (auto *b = qobject_cast<Toolkit::Button *>(w))
            b->setText(value);
    };
    auto describe = [](QWidget *w, const QString &name, const QString &description = QString()) {
        w->setAccessibleName(name);
        if (!description.isEmpty())
            w->setAccessibleDescription(description);
    };

    // What each control looks like, by name, so that both layouts agree.
    if (auto *b = pbQuit()) {
        text(b, QStringLiteral("Quit"));
        describe(b, QStringLiteral("Quit"), QStringLiteral("Ends Vantrel"));
    }
    const struct
    {
        Toolkit::Button *button;
        const char *topic;
    } helpButtons[] = {
        {pbHelp1(), "Overview"},
        {pbHelp2(), "Old Deprecations"},
        {pbHelp3(), "Search Field"},
        {pbHelp4(), "Filtered List"},
    };
    for (const auto &h : helpButtons) {
        if (!h.button)
            continue;
        h.button->setButtonStyle(Toolkit::Button::HelpStyle);
        describe(h.button, QStringLiteral("Help: ") + QLatin1String(h.topic),
                 QStringLiteral("Opens the help topic ") + QLatin1String(h.topic));
    }
    if (auto *b = pbTest()) {
        text(b, QStringLiteral("Test"));
        describe(b, QStringLiteral("Test"));
    }
    if (auto *l = lbRecent())
        describe(l, QStringLiteral("Current deprecations"),
                 QStringLiteral("The current catalogue, newest first. Click a header to sort by that column."));
    if (auto *t = tfSelectRecent()) {
        text(t, QStringLiteral("*"));
        t->setAlignment(Qt::AlignCenter);
        Toolkit::setFixedTextColor(t, kLineText);
        Toolkit::setFixedBackgroundColor(t, Qt::white);
        describe(t, QStringLiteral("Selected current deprecation"),
                 QStringLiteral("The row selected in the current deprecations, with its replacement"));
    }
    if (auto *l = lbHistory())
        describe(l, QStringLiteral("Old deprecations"), QStringLiteral("The old catalogue, releases 2008r1 to 2015r4"));
    if (auto *l = labSelectedHistoryLine()) {
        text(l, QStringLiteral("*"));
        l->setAlignment(Qt::AlignCenter);
        Toolkit::setFixedTextColor(l, kLineText);
        l->setProperty(kAccessibleRole, QStringLiteral("Selected old deprecation"));
        describe(l, QStringLiteral("Selected old deprecation"));
    }
    if (auto *l = lbSearch())
        describe(l, QStringLiteral("Filtered list"), QStringLiteral("The entries that match the search word"));
    if (auto *t = tfSearch()) {
        Toolkit::setFixedTextColor(t, Qt::black);
        Toolkit::setFixedBackgroundColor(t, Qt::white);
        describe(
            t, QStringLiteral("Search"),
            QStringLiteral("Type a word of an old or a new name; the matching entries appear in the filtered list"));
    }
    if (auto *l = labSearch()) {
        text(l, QStringLiteral("*"));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        Toolkit::setFixedTextColor(l, kKeywordBlue);
        l->setToolTip(QStringLiteral("Current filter word"));
        l->setProperty(kAccessibleRole, QStringLiteral("Current filter word"));
        describe(l, QStringLiteral("Current filter word"));
    }
    if (auto *t = tfSelectedSearchLine()) {
        text(t, QStringLiteral("*"));
        t->setAlignment(Qt::AlignCenter);
        Toolkit::setFixedTextColor(t, kLineText);
        Toolkit::setFixedBackgroundColor(t, kSearchLineBackground);
        describe(t, QStringLiteral("Selected filtered entry"),
                 QStringLiteral("The row selected in the filtered list, with its replacement"));
    }
    if (auto *r = rectDivideLine()) {
        r->FillColor = kDividerFill;
        r->BorderColor = Qt::black;
        r->BorderThickness = 1;
        r->CornerSize = 2;
        describe(r, QStringLiteral("Divider"));
    }
    if (auto *l = labMagGlass()) {
        text(l, QStringLiteral("\U0001F50D\r"));
        useEmojiFont(l, 0);
        Toolkit::setFixedTextColor(l, Qt::black);
        describe(l, QStringLiteral("Search symbol"));
    }
    if (auto *l = labSearchNum()) {
        text(l, QStringLiteral("."));
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(kCountPixelSize);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
        Toolkit::setFixedTextColor(l, kCountGreen);
        l->setToolTip(QStringLiteral(
            "Displays the number of entries tn the middle listbox which is displaying the filtered list."));
        l->setProperty(kAccessibleRole, QStringLiteral("Number of hits"));
        describe(l, QStringLiteral("Number of hits"));
    }
    if (auto *b = pbElephant()) {
        text(b, QStringLiteral("\U0001F418"));
        useEmojiFont(b, kSwitchGlyphPixelSize);
        b->setToolTip(QStringLiteral("Maximize Filtered (green) Listbox"));
        describe(b, QStringLiteral("Enlarge filtered list"), QStringLiteral("Maximize Filtered (green) Listbox"));
    }
    if (auto *b = pbMouse()) {
        text(b, QStringLiteral("\U0001F42D"));
        useEmojiFont(b, kSwitchGlyphPixelSize);
        b->setToolTip(QStringLiteral("Minimize Filtered (green) Listbox"));
        describe(b, QStringLiteral("Shrink filtered list"), QStringLiteral("Minimize Filtered (green) Listbox"));
    }

    // Tab stops in tab order; everything else takes focus only by a click, or not at all.
    QWidget *previous = nullptr;
    for (const char *name : table.tabOrder) {
        QWidget *w = m_controls.value(QLatin1String(name));
        w->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }

    // Handlers.
    if (auto *b = pbQuit())
        b->Pressed = [this] { pbQuit_Pressed(); };
    if (auto *b = pbHelp1())
        b->Pressed = [this] { pbHelp_Pressed("pbHelp1", 1); };
    if (auto *b = pbTest())
        b->Pressed = [this] { pbTest_Pressed(); };
    if (auto *b = pbHelp2())
        b->Pressed = [this] { pbHelp_Pressed("pbHelp2", 2); };
    if (auto *l = lbRecent())
        l->SelectionChanged = [this] { lbRecent_SelectionChanged(); };
    if (auto *l = lbHistory())
        l->SelectionChanged = [this] { lbHistory_SelectionChanged(); };
    if (auto *l = lbSearch()) {
        l->SelectionChanged = [this] { lbSearch_SelectionChanged(); };
        l->PaintCellBackground = [this](Toolkit::Graphics &g, int row, int column) {
            return lbSearch_PaintCellBackground(g, row, column);
        };
        l->PaintCellText = [this](Toolkit::Graphics &g, int row, int column, int x, int y) {
            return lbSearch_PaintCellText(g, row, column, x, y);
        };
    }
    if (auto *t = tfSearch())
        t->TextChanged = [this] { tfSearch_TextChanged(); };
    if (auto *b = pbHelp3())
        b->Pressed = [this] { pbHelp_Pressed("pbHelp3", 3); };
    if (auto *b = pbHelp4())
        b->Pressed = [this] { pbHelp_Pressed("pbHelp4", 4); };
    if (auto *b = pbElephant())
        b->Pressed = [this] { pbSwitch_Pressed("pbElephant"); };
    if (auto *b = pbMouse())
        b->Pressed = [this] { pbSwitch_Pressed("pbMouse"); };
}

void BrowserWindow::AddMenuHandlers()
{
    AddMenuHandler(QStringLiteral("SampleSampleOne"), [this] { return SampleSampleOne_Action(); });
}

// ---------------------------------------------------------------------------------------------
// Opening: both catalogues in one bulk load each, while the list is hidden; then the search
// text carried from the other layout, which runs the filter.

void BrowserWindow::Event_Opening()
{
    const HandlerId id{m_name, "", "Opening", HandlerKind::WindowEvent};
    Guard(id, [this] {
        Toolkit::ListBox *recent = lbRecent();
        recent->setVisible(false);
        recent->setContent(Catalogue::DEPRECATIONS_TEXT());
        recent->setVisible(true);

        if (Toolkit::ListBox *history = lbHistory()) {
            history->setVisible(false);
            history->setContent(Catalogue::OLD_DEPRECATIONS_TEXT());
            history->setVisible(true);
        }

        if (!ModGlobal::theFilter.isEmpty())
            tfSearch()->setTextValue(ModGlobal::theFilter);
    });
}

// ---------------------------------------------------------------------------------------------
// The search filter

void BrowserWindow::clearDisplay()
{
    setResultLabel(labSearch(), QString());
    setResultLabel(labSearchNum(), QString());
    lbSearch()->RemoveAllRows();
    m_searchText.clear();
}

void BrowserWindow::DoSearchFilter()
{
    const HandlerId id{m_name, "", "DoSearchFilter", HandlerKind::WindowMethod};
    Guard(id, [this] {
        Toolkit::TextField *field = tfSearch();

        // Clean and write back. A changed text runs a nested, complete filter run before this
        // one goes on; the caret stays behind the character the user typed last.
        const QString typed = field->Text();
        const QString cleaned = Search::CleanSearchText(typed);
        if (cleaned != typed) {
            const int caret = Search::CaretAfterCleaning(typed, cleaned, field->cursorPosition());
            field->setTextValue(cleaned);
            if (field->Text() == cleaned)
                field->setCursorPosition(caret);
        }
        const QString text = field->Text();

        switch (Search::DecideFilterStep(text, m_searchText)) {
        case Search::FilterStep::Stop:
            return;
        case Search::FilterStep::ClearAndStop:
            clearDisplay();
            return;
        case Search::FilterStep::ClearAndLookUp:
            clearDisplay();
            break;
        default:
            break;
        }

        const QString entries = ModGlobal::KeywordEntries(text);
        if (Search::DecideFilterStep(text, m_searchText, entries) == Search::FilterStep::Keep)
            return;

        // Refill the green list from the catalogue rows of the entry numbers. The row position
        // is the row's place in the catalogue, which is lbRecent's loaded order whatever header
        // the user sorted it by.
        Toolkit::ListBox *target = lbSearch();
        Toolkit::ListBox *recent = lbRecent();
        target->RemoveAllRows();
        const QStringList numbers = entries.split(QLatin1Char(' '));
        {
            PendingRows pending{target, {}};
            pending.rows.reserve(numbers.size());
            for (const QString &number : numbers) {
                const qint64 position = ModGlobal::RowPosition(number);
                if (position < 0)
                    continue;
                if (position > INT_MAX)
                    throw OutOfBoundsException(QStringLiteral("Row position %1 is outside the list").arg(position));
                pending.rows.append(recent->SourceRow(int(position)));
            }
            pending.flush();
        }

        setResultLabel(labSearch(), text);
        m_searchText = text;
        setResultLabel(labSearchNum(), Search::HitCountText(numbers.size()));
        fitCountFont(labSearchNum());
    });
}

// ---------------------------------------------------------------------------------------------
// Lists and search field

void BrowserWindow::lbRecent_SelectionChanged()
{
    const HandlerId id{m_name, "lbRecent", "SelectionChanged", HandlerKind::ControlEvent};
    Guard(id, [this] {
        Toolkit::ListBox *list = lbRecent();
        const int row = list->SelectedRowIndex();
        if (row == -1) {
            tfSelectRecent()->setTextValue(QString());
            return;
        }
        const QString replacement = list->CellTextAt(row, 4);
        const QString name = list->CellTextAt(row, 1);
        tfSelectRecent()->setTextValue(replacement.isEmpty() ? name : name + kStarSeparator + replacement);
    });
}

void BrowserWindow::lbHistory_SelectionChanged()
{
    const HandlerId id{m_name, "lbHistory", "SelectionChanged", HandlerKind::ControlEvent};
    Guard(id, [this] {
        Toolkit::ListBox *list = lbHistory();
        const int row = list->SelectedRowIndex();
        setResultLabel(labSelectedHistoryLine(), row == -1 ? QString() : list->CellTextAt(row, 1));
    });
}

void BrowserWindow::lbSearch_SelectionChanged()
{
    const HandlerId id{m_name, "lbSearch", "SelectionChanged", HandlerKind::ControlEvent};
    Guard(id, [this] {
        Toolkit::ListBox *list = lbSearch();
        const int row = list->SelectedRowIndex();
        if (row == -1) {
            tfSelectedSearchLine()->setTextValue(QString());
            return;
        }
        const QString replacement = list->CellTextAt(row, 4);
        const QString name = list->CellTextAt(row, 1);
        tfSelectedSearchLine()->setTextValue(replacement.isEmpty() ? name : name + kStarSeparator + replacement);
    });
}

bool BrowserWindow::lbSearch_PaintCellBackground(Toolkit::Graphics &g, int, int)
{
    const HandlerId id{m_name, "lbSearch", "PaintCellBackground", HandlerKind::ControlEvent};
    return GuardOr(id, false, [&g] {
        g.DrawingColor = kFilteredCell;
        g.FillRectangle(0, 0, g.Width(), g.Height());
        return false;
    });
}

bool BrowserWindow::lbSearch_PaintCellText(Toolkit::Graphics &, int, int, int, int)
{
    const HandlerId id{m_name, "lbSearch", "PaintCellText", HandlerKind::ControlEvent};
    return GuardOr(id, false, [] { return false; });
}

void BrowserWindow::tfSearch_TextChanged()
{
    const HandlerId id{m_name, "tfSearch", "TextChanged", HandlerKind::ControlEvent};
    Guard(id, [this] { DoSearchFilter(); });
}

// ---------------------------------------------------------------------------------------------
// Buttons and commands

void BrowserWindow::pbQuit_Pressed() { App::instance()->Quit(0); }

void BrowserWindow::pbHelp_Pressed(const char *control, qint64 topic)
{
    const HandlerId id{m_name, control, "Pressed", HandlerKind::ControlEvent};
    Guard(id, [topic] { Help::ShowHelp(topic); });
}

void BrowserWindow::pbTest_Opening()
{
    const HandlerId id{m_name, "pbTest", "Opening", HandlerKind::ControlEvent};
    Guard(id, [this] { pbTest()->setVisible(false); });
}

void BrowserWindow::pbTest_Pressed()
{
    const HandlerId id{m_name, "pbTest", "Pressed", HandlerKind::ControlEvent};
    Guard(id, [] {
        const QStringList words{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                                QStringLiteral("e")};
        const QStringList combinations = WordCombo::CreateCombinations(words);
        if (combinations.isEmpty())
            throw OutOfBoundsException(QStringLiteral("No combinations"));
        Toolkit::MessageBox(combinations.first());
        Toolkit::MessageBox(QStringLiteral("Task Complete"));
    });
}

bool BrowserWindow::SampleSampleOne_Action()
{
    const HandlerId id{m_name, "", "SampleSampleOne", HandlerKind::MenuHandler};
    return Guard(id, [this] {
        Toolkit::MessageBox(QStringLiteral("SampleOne: ") + QLatin1String(m_name) + QStringLiteral(" Override"));
        return true;
    });
}

void BrowserWindow::Print(const QString &text)
{
    const HandlerId id{m_name, "", "Print", HandlerKind::WindowMethod};
    Guard(id, [&text] {
        Toolkit::MessageBox(QStringLiteral("Asked to print something"));
        FileTools::TextToFile(text, QStringLiteral("PrintWinMain"), QStringLiteral("Desktop"), 4);
    });
}

QString BrowserWindow::MakeKeywordList(const QString &pairLines)
{
    const HandlerId id{m_name, "", "MakeKeywordList", HandlerKind::WindowMethod};
    return Guard(id, [&pairLines] { return KeywordLists::MakeKeywordList(pairLines); });
}

QStringList BrowserWindow::ArrayRemoveDuplicates(const QStringList &array)
{
    const HandlerId id{m_name, "", "ArrayRemoveDuplicates", HandlerKind::WindowMethod};
    return Guard(id, [&array] { return KeywordLists::ArrayRemoveDuplicates(array); });
}

// ---------------------------------------------------------------------------------------------
// Layout switch

void BrowserWindow::pbSwitch_Pressed(const char *control)
{
    const HandlerId id{m_name, control, "Pressed", HandlerKind::ControlEvent};
    const Layout other = m_layout == Layout::Main ? Layout::ExpandFilter : Layout::Main;
    Guard(id, [this, other] {
        ModGlobal::theFilter = tfSearch()->Text();
        const int left = Left();
        const int top = Top();
        const int width = Width();
        const int height = Height();
        m_closingForSwitch = true;
        // Deleted later, so this handler may run on; it reads nothing of the window from here.
        close();
        App *app = App::instance();
        if (other == Layout::ExpandFilter)
            app->ShowExpandFilter(left, top, width, height);
        else
            app->ShowMain(left, top, width, height);
        app->endIfStranded();
    });
}

void BrowserWindow::closeEvent(QCloseEvent *event)
{
    Toolkit::DocumentWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    QPointer<BrowserWindow> &slot = openWindow(m_layout);
    if (slot == this)
        slot = nullptr;
    // Closed by the window manager although the window offers no close button: without a menu
    // bar of its own the program would be left running with nothing on screen.
    if (!m_closingForSwitch && !App::hasGlobalMenuBar())
        App::instance()->Quit(0);
}

// ---------------------------------------------------------------------------------------------
// Menu items

QAction *BrowserWindow::menuItem(const QString &name) const
{
    return MainMenuBar::Item(qobject_cast<QMenuBar *>(menuWidget()), name);
}

QAction *BrowserWindow::HelpMenu() const { return menuItem(QStringLiteral("HelpMenu")); }
QAction *BrowserWindow::miAbout() const { return menuItem(QStringLiteral("miAbout")); }
QAction *BrowserWindow::SampleMenu() const { return menuItem(QStringLiteral("SampleMenu")); }
QAction *BrowserWindow::SampleSampleTwo() const { return menuItem(QStringLiteral("SampleSampleTwo")); }
QAction *BrowserWindow::SampleSampleOne() const { return menuItem(QStringLiteral("SampleSampleOne")); }
QAction *BrowserWindow::EditMenu() const { return menuItem(QStringLiteral("EditMenu")); }
QAction *BrowserWindow::EditSelectAll() const { return menuItem(QStringLiteral("EditSelectAll")); }
QAction *BrowserWindow::EditSeparator2() const { return menuItem(QStringLiteral("EditSeparator2")); }
QAction *BrowserWindow::EditClear() const { return menuItem(QStringLiteral("EditClear")); }
QAction *BrowserWindow::EditPaste() const { return menuItem(QStringLiteral("EditPaste")); }
QAction *BrowserWindow::EditCopy() const { return menuItem(QStringLiteral("EditCopy")); }
QAction *BrowserWindow::EditCut() const { return menuItem(QStringLiteral("EditCut")); }
QAction *BrowserWindow::EditSeparator1() const { return menuItem(QStringLiteral("EditSeparator1")); }
QAction *BrowserWindow::EditUndo() const { return menuItem(QStringLiteral("EditUndo")); }
QAction *BrowserWindow::FileMenu() const { return menuItem(QStringLiteral("FileMenu")); }
QAction *BrowserWindow::FileQuit() const { return menuItem(QStringLiteral("FileQuit")); }
