#pragma once
// The help-topic store. HELP_TEXT, compiled in from help/HELP_TEXT.txt, is a list of records
// "number<TAB>title<TAB>content<TAB>width<TAB>height<#CR>", one line feed between records.
// At start-up FillDictionaryFromHELP_TEXT checks and normalises it (CleanHelpText) and fills
// helpDict; ShowHelp then opens a help window for one topic through the opener that the
// widget layer installs.

#include <QMap>
#include <QString>

#include <functional>
#include <optional>

namespace Help {

// The help text as shipped.
const QString &HELP_TEXT();

// The normalised help text; empty before start-up and after a failed validation.
extern QString sHelpText;
// Topic number -> "title<TAB>content<TAB>width<TAB>height"; absent until filled.
extern std::optional<QMap<qint64, QString>> helpDict;

// Validates and normalises the help text into sHelpText. A bad record shows its message,
// writes the text to the Desktop as "BadOriginal" and leaves sHelpText empty.
void CleanHelpText();
// Runs CleanHelpText, then rebuilds helpDict from sHelpText.
void FillDictionaryFromHELP_TEXT();
// Opens the help window for a topic and returns when it has been closed.
void ShowHelp(qint64 topic);
// True when the text holds one of the HTML markers the help windows know (letter case ignored).
bool IsHTML(const QString &text);

// Opens a modal help window and returns when it has closed: the HTML window when isHtml,
// else the plain-text one. Installed by the widget layer; returns the opener it replaced.
using HelpWindowOpener =
    std::function<void(bool isHtml, const QString &content, const QString &title, qint64 width, qint64 height)>;
HelpWindowOpener setWindowOpener(HelpWindowOpener opener);

// Test seam: CleanHelpText works on this text instead of HELP_TEXT while it is set.
// std::nullopt goes back to HELP_TEXT. Returns the previous setting.
std::optional<QString> setHelpSourceForTests(std::optional<QString> source);

} // namespace Help
