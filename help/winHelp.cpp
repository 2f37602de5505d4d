#include "help/winHelp.h"

#include "errors/CatchClause.h"
#include "help/HelpLayout.h"
#include "help/HelpWindowParts.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr const char *kOwner = "winHelp";
const QString kFontName = QStringLiteral("Helvetica");

} // namespace

HelpHTMLViewer::HelpHTMLViewer(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setSearchPaths({});
}

void HelpHTMLViewer::LoadPage(const QString &html)
{
    // No base location: relative references have nothing to resolve against.
    document()->setBaseUrl(QUrl());
    setHtml(html);
}

QVariant HelpHTMLViewer::loadResource(int type, const QUrl &name)
{
    Q_UNUSED(name)
    // Always a valid answer: on a null one the document opens local files itself, and an image
    // without a picture makes the image handler load the file by its path. An invisible
    // one-point picture stands in for every image.
    if (type == QTextDocument::ImageResource) {
        QImage nothing(1, 1, QImage::Format_ARGB32);
        nothing.fill(Qt::transparent);
        return nothing;
    }
    return QVariant(QByteArray());
}

winHelp::winHelp(QWidget *parent)
    : Toolkit::ModalWindow(HelpWindowParts::kDesignSize, parent)
{
    HelpWindowParts::setUpWindow(this, QStringLiteral("winHelp"), QStringLiteral("Show HTML Help"));

    m_HV_Help = new HelpHTMLViewer(content());
    m_HV_Help->setObjectName(QStringLiteral("HV_Help"));
    m_HV_Help->setAccessibleName(QStringLiteral("Help text"));
    // The font of text the topic does not style itself.
    m_HV_Help->setFont(HelpWindowParts::textFont(kFontName));
    content()->place(m_HV_Help, HelpWindowParts::kContentFrame, Toolkit::AnchorAll);
    HelpWindowParts::makeReadOnlyContent(m_HV_Help);

    m_pbDone = HelpWindowParts::addDoneButton(this);
    m_pbDone->Pressed = [this] { pbDone_Pressed(); };

    // The viewer's own edit actions. It is read-only, so cut, paste and clear change nothing.
    AddMenuHandler(QStringLiteral("EditCopy"), [this] {
        m_HV_Help->copy();
        return true;
    });
    AddMenuHandler(QStringLiteral("EditSelectAll"), [this] {
        m_HV_Help->selectAll();
        return true;
    });
    AddMenuHandler(QStringLiteral("EditCut"), [this] {
        m_HV_Help->cut();
        return true;
    });
    AddMenuHandler(QStringLiteral("EditPaste"), [this] {
        m_HV_Help->paste();
        return true;
    });
    AddMenuHandler(QStringLiteral("EditClear"), [this] {
        if (!m_HV_Help->isReadOnly())
            m_HV_Help->textCursor().removeSelectedText();
        return true;
    });

    Opening();
}

winHelp::~winHelp() = default;

void winHelp::Opening()
{
    static constexpr HandlerId id{kOwner, "", "Opening", HandlerKind::WindowEvent};
    Guard(id, [&] { AdjustWindowSize(m_contentHTML, 0, 0); });
}

QString winHelp::RawTextFromHTML(const QString &html)
{
    static constexpr HandlerId id{kOwner, "", "RawTextFromHTML", HandlerKind::WindowMethod, ClauseForm::Alert};
    return Guard(id, [&] { return HelpLayout::RawTextFromHTML(html); });
}

void winHelp::AdjustWindowSize(const QString &text, qint64 width, qint64 height)
{
    static constexpr HandlerId id{kOwner, "", "AdjustWindowSize", HandlerKind::WindowMethod, ClauseForm::Alert};
    Guard(id, [&] {
        const auto measure = [&text](int wrapWidth) {
            return int(Toolkit::TextHeight(text, kFontName, HelpWindowParts::kTextPointSize, wrapWidth));
        };
        HelpWindowParts::sizeAndPlace(this, measure, width, height);
    });
}

void winHelp::PrepareAndShowWindow(const QString &content, const QString &title, qint64 width, qint64 height)
{
    static constexpr HandlerId id{kOwner, "", "PrepareAndShowWindow", HandlerKind::WindowMethod, ClauseForm::Alert};
    Guard(id, [&] {
        m_contentHTML = content;
        m_justTextHTML = RawTextFromHTML(m_contentHTML);
        AdjustWindowSize(m_justTextHTML, width, height);
        setWindowTitle(title);
        m_HV_Help->LoadPage(m_contentHTML);
        ShowModal();
    });
}

void winHelp::pbDone_Pressed()
{
    static constexpr HandlerId id{kOwner, "pbDone", "Pressed", HandlerKind::ControlEvent, ClauseForm::Alert};
    Guard(id, [&] {
        HelpWindowParts::writeSizeRecordIfAltKey(this);
        close();
    });
}
