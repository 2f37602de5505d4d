#include "help/winHelpSimple.h"

#include "errors/CatchClause.h"
#include "help/HelpWindowParts.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"

namespace {

constexpr const char *kOwner = "winHelpSimple";
const QString kFontName = QStringLiteral("System");

} // namespace

winHelpSimple::winHelpSimple(QWidget *parent)
    : Toolkit::ModalWindow(HelpWindowParts::kDesignSize, parent)
{
    HelpWindowParts::setUpWindow(this, QStringLiteral("winHelpSimple"), QStringLiteral("Show Text Help"));

    m_taHelp = new Toolkit::TextArea(content());
    m_taHelp->setObjectName(QStringLiteral("taHelp"));
    m_taHelp->setAccessibleName(QStringLiteral("Help text"));
    m_taHelp->setFont(HelpWindowParts::textFont(kFontName));
    m_taHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_taHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_taHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_taHelp->setFrameShape(QFrame::StyledPanel);
    m_taHelp->setTabChangesFocus(true);
    content()->place(m_taHelp, HelpWindowParts::kContentFrame, Toolkit::AnchorAll);
    HelpWindowParts::makeReadOnlyContent(m_taHelp);

    m_pbDone = HelpWindowParts::addDoneButton(this);
    m_pbDone->Pressed = [this] { pbDone_Pressed(); };

    Opening();
}

winHelpSimple::~winHelpSimple() = default;

void winHelpSimple::Opening()
{
    static constexpr HandlerId id{kOwner, "", "Opening", HandlerKind::WindowEvent};
    Guard(id, [&] { AdjustWindowSize(0, 0); });
}

void winHelpSimple::AdjustWindowSize(qint64 width, qint64 height)
{
    static constexpr HandlerId id{kOwner, "", "AdjustWindowSize", HandlerKind::WindowMethod};
    Guard(id, [&] {
        const QString &text = m_contentSimpleText;
        const auto measure = [&text](int wrapWidth) {
            return int(Toolkit::TextHeight(text, kFontName, HelpWindowParts::kTextPointSize, wrapWidth));
        };
        HelpWindowParts::sizeAndPlace(this, measure, width, height);
    });
}

void winHelpSimple::PrepareAndShowWindow(const QString &content, const QString &title, qint64 width, qint64 height)
{
    static constexpr HandlerId id{kOwner, "", "PrepareAndShowWindow", HandlerKind::WindowMethod};
    Guard(id, [&] {
        m_contentSimpleText = content;
        AdjustWindowSize(width, height);
        setWindowTitle(title);
        m_taHelp->setTextValue(m_contentSimpleText);
        ShowModal();
    });
}

void winHelpSimple::pbDone_Pressed()
{
    static constexpr HandlerId id{kOwner, "pbDone", "Pressed", HandlerKind::ControlEvent, ClauseForm::Alert};
    Guard(id, [&] {
        HelpWindowParts::writeSizeRecordIfAltKey(this);
        close();
    });
}
