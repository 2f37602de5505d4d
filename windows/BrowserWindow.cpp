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
#include "windows/BrowserControls.h"
#include "windows/BrowserLayouts.h"

#include <QCloseEvent>
#include <QPointer>
#include <QShortcut>

#include <climits>
#include <utility>

namespace {

// The green of the filtered list's cells.
const QColor kFilteredCell(240, 255, 240);

// Between the name and the replacement in a selection line.
const QString kStarSeparator = QStringLiteral("   *   ");

QPointer<BrowserWindow> &openWindow(BrowserWindow::Layout layout)
{
    static QPointer<BrowserWindow> windows[2];
    return windows[layout == BrowserWindow::Layout::Main ? 0 : 1];
}

const BrowserLayouts::LayoutTable &tableOf(BrowserWindow::Layout layout)
{
    return layout == BrowserWindow::Layout::Main ? BrowserLayouts::MainLayout() : BrowserLayouts::ExpandFilterLayout();
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

BrowserWindow *BrowserWindow::instance(Layout layout)
{
    BrowserWindow *w = existing(layout);
    if (!w) {
        w = create(layout);
        w->show();
    }
    return w;
}

BrowserWindow *winMain() { return BrowserWindow::instance(BrowserWindow::Layout::Main); }

BrowserWindow *winExpandFilter() { return BrowserWindow::instance(BrowserWindow::Layout::ExpandFilter); }

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
    setContentSize(table.size);

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
        QWidget *w = BrowserControls::Create(c);
        m_controls.insert(w->objectName(), w);
        content()->place(w, QRect(c.left, c.top, c.width, c.height), c.anchors);
        BrowserControls::ApplyLooks(w);
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

    // The search field is where a user starts: it has the keyboard focus when the window opens,
    // and Ctrl+F (Cmd+F on macOS) brings it back, with its text selected, from anywhere.
    tfSearch()->setFocus(Qt::OtherFocusReason);
    auto *find = new QShortcut(QKeySequence(QStringLiteral("Ctrl+F"), QKeySequence::PortableText), this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        tfSearch()->setFocus(Qt::ShortcutFocusReason);
        tfSearch()->selectAll();
    });

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
    const HandlerId id = handlerId("", "Opening", HandlerKind::WindowEvent);
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
    BrowserControls::SetResultLabel(labSearch(), QString());
    BrowserControls::SetResultLabel(labSearchNum(), QString());
    lbSearch()->RemoveAllRows();
    m_searchText.clear();
}

void BrowserWindow::DoSearchFilter()
{
    const HandlerId id = handlerId("", "DoSearchFilter", HandlerKind::WindowMethod);
    Guard(id, [this] {
        Toolkit::TextField *field = tfSearch();

        // Clean and write back. A changed text runs a nested, complete filter run before this
        // one goes on; the caret stays behind the character the user typed last.
        const QString typed = field->Text();
        const QString cleaned = Search::CleanSearchText(typed);
        if (cleaned != typed) {
            const int caret = Search::CaretAfterCleaning(typed, cleaned, field->cursorPosition());
            // Written back as an edit, so Undo still reaches what the user typed; an undo that
            // brought back a text with removed characters steps on past it instead.
            if (field->isUndoing())
                field->Undo();
            else
                field->replaceTextAsEdit(cleaned);
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
        // The keyword's rows come in entry order, whatever header the user sorted the list by.
        target->clearSort();
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
                pending.rows.append(recent->sourceRow(int(position)));
            }
            pending.flush();
        }

        BrowserControls::SetResultLabel(labSearch(), text);
        m_searchText = text;
        BrowserControls::SetResultLabel(labSearchNum(), Search::HitCountText(numbers.size()));
        BrowserControls::FitCountFont(labSearchNum());
    });
}

// ---------------------------------------------------------------------------------------------
// Lists and search field

void BrowserWindow::lbRecent_SelectionChanged()
{
    const HandlerId id = handlerId("lbRecent", "SelectionChanged", HandlerKind::ControlEvent);
    Guard(id, [this] { showSelectionLine(lbRecent(), tfSelectRecent()); });
}

void BrowserWindow::lbHistory_SelectionChanged()
{
    const HandlerId id = handlerId("lbHistory", "SelectionChanged", HandlerKind::ControlEvent);
    Guard(id, [this] {
        Toolkit::ListBox *list = lbHistory();
        const int row = list->SelectedRowIndex();
        BrowserControls::SetResultLabel(labSelectedHistoryLine(), row == -1 ? QString() : list->CellTextAt(row, 1));
    });
}

void BrowserWindow::lbSearch_SelectionChanged()
{
    const HandlerId id = handlerId("lbSearch", "SelectionChanged", HandlerKind::ControlEvent);
    Guard(id, [this] { showSelectionLine(lbSearch(), tfSelectedSearchLine()); });
}

// The selected row's name, and its replacement after a star when it has one; empty for none.
void BrowserWindow::showSelectionLine(Toolkit::ListBox *list, Toolkit::TextField *line)
{
    const int row = list->SelectedRowIndex();
    if (row == -1) {
        BrowserControls::SetSelectionLine(line, QString());
        return;
    }
    const QString replacement = list->CellTextAt(row, 4);
    const QString name = list->CellTextAt(row, 1);
    BrowserControls::SetSelectionLine(line, replacement.isEmpty() ? name : name + kStarSeparator + replacement);
}

bool BrowserWindow::lbSearch_PaintCellBackground(Toolkit::Graphics &g, int, int)
{
    const HandlerId id = handlerId("lbSearch", "PaintCellBackground", HandlerKind::ControlEvent);
    return Guard(id, [&g] {
        g.DrawingColor = kFilteredCell;
        g.FillRectangle(0, 0, g.Width(), g.Height());
        return false;
    });
}

bool BrowserWindow::lbSearch_PaintCellText(Toolkit::Graphics &, int, int, int, int)
{
    const HandlerId id = handlerId("lbSearch", "PaintCellText", HandlerKind::ControlEvent);
    return Guard(id, [] { return false; });
}

void BrowserWindow::tfSearch_TextChanged()
{
    const HandlerId id = handlerId("tfSearch", "TextChanged", HandlerKind::ControlEvent);
    Guard(id, [this] { DoSearchFilter(); });
}

// ---------------------------------------------------------------------------------------------
// Buttons and commands

void BrowserWindow::pbQuit_Pressed() { App::instance()->Quit(0); }

void BrowserWindow::pbHelp_Pressed(const char *control, qint64 topic)
{
    const HandlerId id = handlerId(control, "Pressed", HandlerKind::ControlEvent);
    Guard(id, [topic] { Help::ShowHelp(topic); });
}

void BrowserWindow::pbTest_Opening()
{
    const HandlerId id = handlerId("pbTest", "Opening", HandlerKind::ControlEvent);
    Guard(id, [this] { pbTest()->setVisible(false); });
}

void BrowserWindow::pbTest_Pressed()
{
    const HandlerId id = handlerId("pbTest", "Pressed", HandlerKind::ControlEvent);
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
    const HandlerId id = handlerId("", "SampleSampleOne", HandlerKind::MenuHandler);
    return Guard(id, [this] {
        Toolkit::MessageBox(QStringLiteral("SampleOne: ") + QLatin1String(m_name) + QStringLiteral(" Override"));
        return true;
    });
}

void BrowserWindow::Print(const QString &text)
{
    const HandlerId id = handlerId("", "Print", HandlerKind::WindowMethod);
    Guard(id, [&text] {
        Toolkit::MessageBox(QStringLiteral("Asked to print something"));
        FileTools::TextToFile(text, QStringLiteral("PrintWinMain"), QStringLiteral("Desktop"), 4);
    });
}

QString BrowserWindow::MakeKeywordList(const QString &pairLines)
{
    const HandlerId id = handlerId("", "MakeKeywordList", HandlerKind::WindowMethod);
    return Guard(id, [&pairLines] { return KeywordLists::MakeKeywordList(pairLines); });
}

QStringList BrowserWindow::ArrayRemoveDuplicates(const QStringList &array)
{
    const HandlerId id = handlerId("", "ArrayRemoveDuplicates", HandlerKind::WindowMethod);
    return Guard(id, [&array] { return KeywordLists::ArrayRemoveDuplicates(array); });
}

// ---------------------------------------------------------------------------------------------
// Layout switch

void BrowserWindow::pbSwitch_Pressed(const char *control)
{
    const HandlerId id = handlerId(control, "Pressed", HandlerKind::ControlEvent);
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
