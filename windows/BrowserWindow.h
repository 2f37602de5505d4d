#pragma once
// The deprecation browser: one window class in two layouts.
//
//   winMain          the default window: the current catalogue (lbRecent) on top, the entries
//                    of the recognised search word (lbSearch, the green list) in the middle and
//                    the old catalogue (lbHistory) at the bottom; search field, keyword and hit
//                    count along the top; a line under each list shows its selected row.
//   winExpandFilter  the same without the old catalogue, so the green list takes its height.
//
// Both layouts are tables of controls (name, kind, frame, anchors) in BrowserLayouts.cpp; what
// a control looks like and which handlers it has depends only on its name, so a control of the
// same name looks and behaves the same in both. The elephant button (winMain) and the mouse
// button (winExpandFilter) close one layout and open the other at the same frame, carrying the
// search text through ModGlobal::theFilter.
//
// Typing runs DoSearchFilter on every change of tfSearch: it cleans the text, and a cleaned
// text that is a keyword of the index refills lbSearch with that keyword's catalogue rows.

#include "errors/CatchClause.h"
#include "toolkit/Window.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QCloseEvent;

namespace Toolkit {
class Button;
class Graphics;
class Label;
class ListBox;
class Rectangle;
class TextField;
} // namespace Toolkit

class BrowserWindow : public Toolkit::DocumentWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrowserWindow)

public:
    enum class Layout {
        Main,
        ExpandFilter
    };

    // The open window of a layout, or nullptr.
    static BrowserWindow *existing(Layout layout);
    // Builds a window of the layout and runs its opening handlers; the caller shows it.
    static BrowserWindow *create(Layout layout);
    // The open window of the layout, built and shown when none is open.
    static BrowserWindow *instance(Layout layout);

    ~BrowserWindow() override;

    Layout layout() const { return m_layout; }
    // "winMain" or "winExpandFilter": the name failures are reported under.
    const char *windowName() const { return m_name; }

    // Controls by name; nullptr for a control the layout does not have.
    QWidget *control(const QString &name) const { return m_controls.value(name); }
    Toolkit::Button *pbQuit() const;
    Toolkit::Button *pbHelp1() const;
    Toolkit::Button *pbTest() const;
    Toolkit::Button *pbHelp2() const;
    Toolkit::ListBox *lbRecent() const;
    Toolkit::TextField *tfSelectRecent() const;
    Toolkit::ListBox *lbHistory() const;
    Toolkit::Label *labSelectedHistoryLine() const;
    Toolkit::ListBox *lbSearch() const;
    Toolkit::TextField *tfSearch() const;
    Toolkit::Label *labSearch() const;
    Toolkit::TextField *tfSelectedSearchLine() const;
    Toolkit::Rectangle *rectDivideLine() const;
    Toolkit::Label *labMagGlass() const;
    Toolkit::Button *pbHelp3() const;
    Toolkit::Label *labSearchNum() const;
    Toolkit::Button *pbHelp4() const;
    Toolkit::Button *pbElephant() const;
    Toolkit::Button *pbMouse() const;

    // The keyword the filter last applied, as the user typed it; empty while none is applied.
    QString searchText() const { return m_searchText; }
    // Declared, never used.
    qint64 lenSearch = 0;

    // The search filter: runs on every change of tfSearch.
    void DoSearchFilter();

    // Word-list helpers that belong with the keyword index (nothing in the window calls them).
    QString MakeKeywordList(const QString &pairLines);
    QStringList ArrayRemoveDuplicates(const QStringList &array);

    // Shows "Asked to print something", then writes the text to the Desktop as a stamped
    // "PrintWinMain" file.
    void Print(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit BrowserWindow(Layout layout);

    void CreateControls();
    void AddMenuHandlers();
    void Event_Opening();

    void pbQuit_Pressed();
    void pbHelp_Pressed(const char *control, qint64 topic);
    void pbTest_Pressed();
    void pbTest_Opening();
    void lbRecent_SelectionChanged();
    void lbHistory_SelectionChanged();
    void lbSearch_SelectionChanged();
    bool lbSearch_PaintCellBackground(Toolkit::Graphics &g, int row, int column);
    bool lbSearch_PaintCellText(Toolkit::Graphics &g, int row, int column, int x, int y);
    void tfSearch_TextChanged();
    void pbSwitch_Pressed(const char *control);
    bool SampleSampleOne_Action();

    void clearDisplay();
    void showSelectionLine(Toolkit::ListBox *list, Toolkit::TextField *line);

    // The identity a handler of this window reports failures under (the owner is the layout's
    // window name).
    HandlerId handlerId(const char *control, const char *member, HandlerKind kind) const
    {
        return {m_name, control, member, kind};
    }

    template<typename T>
    T *typed(const char *name) const;

    Layout m_layout;
    const char *m_name;
    QHash<QString, QWidget *> m_controls;
    QString m_searchText;
    // Set while the window closes for a layout switch, which must not end the program.
    bool m_closingForSwitch = false;
};

// The global accessors: the open window of that layout, created and shown when none is open.
BrowserWindow *winMain();
BrowserWindow *winExpandFilter();
