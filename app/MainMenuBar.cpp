#include "app/MainMenuBar.h"

#include "app/App.h"

namespace MainMenuBar {

const QList<MenuDefinition> &Definition()
{
    static const QList<MenuDefinition> menus = {
        {"FileMenu",
         "&File",
         {
             {"FileQuit", "&Quit", "Ctrl+Q", false},
         }},
        {"EditMenu",
         "&Edit",
         {
             {"EditUndo", "&Undo", "Ctrl+Z", false},
             {"EditSeparator1", "-", "", false},
             {"EditCut", "Cu&t", "Ctrl+X", false},
             {"EditCopy", "&Copy", "Ctrl+C", false},
             {"EditPaste", "&Paste", "Ctrl+V", false},
             {"EditClear", "&Delete", "", false},
             {"EditSeparator2", "-", "", false},
             {"EditSelectAll", "Select &All", "Ctrl+A", false},
         }},
        {"SampleMenu",
         "Sample",
         {
             {"SampleSampleOne", "Sample One", "", false},
             {"SampleSampleTwo", "Sample Two", "", false},
         }},
        {"HelpMenu",
         "&Help",
         {
             {"miAbout", "About Vantrel", "", true},
         }},
    };
    return menus;
}

namespace {

// An item that no window handles goes to the application object, made on first use as
// App::instance() makes it.
void useAppForItems()
{
    Toolkit::Application::setMaker([]() -> Toolkit::Application * { return App::instance(); });
}

} // namespace

QMenuBar *Build(Toolkit::WindowBase *owner, QWidget *parent)
{
    useAppForItems();
    return Toolkit::MenuBar::Build(Definition(), owner, parent);
}

void Dispatch(Toolkit::WindowBase *owner, const QString &itemName)
{
    useAppForItems();
    Toolkit::MenuBar::Dispatch(owner, itemName);
}

} // namespace MainMenuBar
