#include "about/winAboutBox.h"

#include "about/StaticURL.h"
#include "errors/CatchClause.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

// Outside any namespace, as Q_INIT_RESOURCE requires. Naming the resource's initialiser here
// also makes the linker keep it from the static library.
static void initVantrelResources() { Q_INIT_RESOURCE(vantrel_resources); }

namespace {

constexpr const char *kOwner = "winAboutBox";

constexpr QSize kDesignSize(320, 400);

QPointer<winAboutBox> g_instance;

// The small system font: two points below the system font, as desktop toolkits size it.
QFont smallSystemFont()
{
    QFont f = QApplication::font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(std::max(f.pointSizeF() - 2.0, 7.0));
    else if (f.pixelSize() > 0)
        f.setPixelSize(std::max(f.pixelSize() - 2, 9));
    return f;
}

template<typename T>
T *makeControl(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *c = new T(parent);
    c->setObjectName(QLatin1String(name));
    c->setAccessibleName(accessibleName);
    return c;
}

// A screen reader reads a label by its accessible name alone: the name is what the label shows.
void showText(Toolkit::Label *label, const QString &text)
{
    label->setTextValue(text);
    if (!text.isEmpty())
        label->setAccessibleName(text);
}

void styleLabel(Toolkit::Label *l, const QFont &font, bool multiLine)
{
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(multiLine);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    Toolkit::setFixedTextColor(l, Qt::black);
}

AboutBox::PictureLoader g_pictureLoader;

std::optional<QPixmap> &keptPicture()
{
    static std::optional<QPixmap> kept;
    return kept;
}

} // namespace

namespace AboutBox {

// BuildDate() is defined in the source that about/WriteBuildDate.cmake writes at build time.

QString MediumDate(const QDate &date, const QLocale &locale)
{
    if (!date.isValid())
        return QString();
    // Qt has no medium style: start from the locale's long date, drop the weekday and shorten
    // the month name, which keeps the locale's order and separators ("Apr 11, 2023").
    QString format = locale.dateFormat(QLocale::LongFormat);
    static const QRegularExpression leadingWeekday(QStringLiteral("^\\s*dddd?[\\s,\\x{060C}]*"));
    static const QRegularExpression otherWeekday(QStringLiteral("[\\s,\\x{060C}]*dddd?"));
    format.remove(leadingWeekday);
    format.remove(otherWeekday);
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return locale.toString(date, format.trimmed());
}

QPixmap VantrelSmaller64()
{
    std::optional<QPixmap> &kept = keptPicture();
    if (kept && !kept->isNull())
        return *kept;
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        // The pixmap must go before the application object does.
        qAddPostRoutine([] { keptPicture().reset(); });
        cleanupRegistered = true;
    }
    initVantrelResources();
    const QString name = QStringLiteral("VantrelSmaller64");
    kept = g_pictureLoader ? g_pictureLoader(name) : Toolkit::PictureNamed(name);
    return *kept;
}

PictureLoader setPictureLoaderForTests(PictureLoader loader)
{
    PictureLoader previous = std::move(g_pictureLoader);
    g_pictureLoader = std::move(loader);
    keptPicture().reset();
    return previous;
}

} // namespace AboutBox

winAboutBox *winAboutBox::instance(const AboutBoxData &data)
{
    if (!g_instance)
        g_instance = new winAboutBox(data);
    return g_instance;
}

winAboutBox *winAboutBox::existing() { return g_instance; }

QString winAboutBox::ContactAddress() { return QStringLiteral("vantrel@example.org"); }

winAboutBox::winAboutBox(const AboutBoxData &data, QWidget *parent)
    : Toolkit::ModalWindow(kDesignSize, parent)
    , m_data(data)
{
    // Closed means gone: the next "About Vantrel" builds and fills a fresh box.
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("winAboutBox"));
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("About Vantrel"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);
    setContentMinimumSize(kDesignSize);
    setContentMaximumSize(kDesignSize);

    const QFont systemFont = QApplication::font();
    const QFont smallSystem = smallSystemFont();
    Toolkit::ContentArea *area = content();

    m_Icon64 = makeControl<Toolkit::Canvas>(area, "Icon64", QStringLiteral("Vantrel picture"));
    m_Icon64->setFocusPolicy(Qt::NoFocus);
    m_Icon64->setBackdrop(AboutBox::VantrelSmaller64());
    area->place(m_Icon64, QRect(128, 8, 64, 64), Toolkit::AnchorTopLeft);

    m_labName = makeControl<Toolkit::Label>(area, "labName", QStringLiteral("Program name"));
    QFont bold = systemFont;
    bold.setBold(true);
    styleLabel(m_labName, bold, false);
    area->place(m_labName, QRect(20, 84, 280, 19), Toolkit::AnchorTopLeft);

    m_labVersion = makeControl<Toolkit::Label>(area, "labVersion", QStringLiteral("Version"));
    styleLabel(m_labVersion, smallSystem, true);
    area->place(m_labVersion, QRect(20, 115, 280, 30), Toolkit::AnchorTopLeft);

    m_labDescription = makeControl<Toolkit::Label>(area, "labDescription", QStringLiteral("Description"));
    styleLabel(m_labDescription, smallSystem, true);
    area->place(m_labDescription, QRect(24, 150, 280, 39), Toolkit::AnchorTopLeft);

    m_taCredits = makeControl<Toolkit::TextArea>(area, "taCredits", QStringLiteral("Credits"));
    m_taCredits->setFont(smallSystem);
    m_taCredits->setReadOnly(true);
    m_taCredits->setFrameShape(QFrame::StyledPanel);
    m_taCredits->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_taCredits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_taCredits->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Toolkit::setFixedBackgroundColor(m_taCredits, Qt::white);
    Toolkit::setFixedTextColor(m_taCredits, Qt::black);
    area->place(m_taCredits, QRect(20, 200, 280, 96), Toolkit::AnchorTopLeft);

    m_labCopyright = makeControl<Toolkit::Label>(area, "labCopyright", QStringLiteral("Copyright"));
    styleLabel(m_labCopyright, smallSystem, true);
    area->place(m_labCopyright, QRect(20, 340, 280, 14), Toolkit::AnchorTopLeft);

    m_suHomePage = makeControl<StaticURL>(area, "suHomePage", QStringLiteral("Home page"));
    m_suHomePage->setFont(systemFont);
    m_suHomePage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_suHomePage->setWordWrap(false);
    area->place(m_suHomePage, QRect(24, 363, 267, 17), Toolkit::AnchorTopLeft);

    m_labReleaseDate = makeControl<Toolkit::Label>(area, "labReleaseDate", QStringLiteral("Release date"));
    styleLabel(m_labReleaseDate, smallSystem, false);
    area->place(m_labReleaseDate, QRect(20, 310, 280, 20), Toolkit::AnchorTopLeft);

    m_pbDone = makeControl<Toolkit::Button>(area, "pbDone", QStringLiteral("Done"));
    m_pbDone->setFont(smallSystem);
    m_pbDone->setText(QStringLiteral("Done"));
    m_pbDone->setDefault(true);
    area->place(m_pbDone, QRect(270, 8, 40, 17), Toolkit::AnchorTopLeft);

    // Tab order is creation order; only the text area and the button take focus.
    QWidget::setTabOrder(m_taCredits, m_pbDone);

    m_suHomePage->OpenStaticURL = [this] { suHomePage_OpenStaticURL(); };
    m_pbDone->Pressed = [this] { pbDone_Pressed(); };

    // Each control fills itself when it opens, in creation order, before the box is shown.
    labName_Opening();
    labVersion_Opening();
    labDescription_Opening();
    taCredits_Opening();
    labCopyright_Opening();
    m_suHomePage->Opening();
    labReleaseDate_Opening();

    const Toolkit::ScreenInfo screen = Toolkit::Screen0();
    move(screen.AvailableLeft + (screen.AvailableWidth - kDesignSize.width()) / 2,
         screen.AvailableTop + (screen.AvailableHeight - kDesignSize.height()) / 2);
}

winAboutBox::~winAboutBox() = default;

void winAboutBox::labName_Opening()
{
    static constexpr HandlerId id{kOwner, "labName", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] { showText(m_labName, QStringLiteral("Vantrel")); });
}

void winAboutBox::labVersion_Opening()
{
    static constexpr HandlerId id{kOwner, "labVersion", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] {
        QString s = QStringLiteral("Version ") + QString::number(m_data.MajorVersion) + QLatin1Char('.')
            + QString::number(m_data.MinorVersion);
        if (!m_data.Version.isEmpty())
            s += QLatin1Char(' ') + m_data.Version;
        showText(m_labVersion, s);
    });
}

void winAboutBox::labDescription_Opening()
{
    static constexpr HandlerId id{kOwner, "labDescription", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] {
        showText(m_labDescription,
                 m_data.Description.isEmpty() ? QStringLiteral("Xojo deprecations and the like") : m_data.Description);
    });
}

void winAboutBox::taCredits_Opening()
{
    static constexpr HandlerId id{kOwner, "taCredits", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] {
        m_taCredits->setTextValue(QString() + QStringLiteral("\n\n")
                                  + QStringLiteral("Please send comments and bug descriptions to ") + ContactAddress()
                                  + QStringLiteral("\n"));
    });
}

void winAboutBox::labCopyright_Opening()
{
    static constexpr HandlerId id{kOwner, "labCopyright", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] { showText(m_labCopyright, m_data.Copyright); });
}

void winAboutBox::suHomePage_OpenStaticURL()
{
    static constexpr HandlerId id{kOwner, "suHomePage", "OpenStaticURL", HandlerKind::ControlEvent};
    Guard(id, [&] {
        showText(m_suHomePage, m_data.HomePageCaption);
        m_suHomePage->URL = m_data.HomePageURL;
        if (m_suHomePage->Text().isEmpty())
            showText(m_suHomePage, m_suHomePage->URL);
        if (m_suHomePage->URL.isEmpty())
            m_suHomePage->setVisible(false);
    });
}

void winAboutBox::labReleaseDate_Opening()
{
    static constexpr HandlerId id{kOwner, "labReleaseDate", "Opening", HandlerKind::ControlEvent};
    Guard(id, [&] {
        showText(m_labReleaseDate, QStringLiteral("Release Date: ") + AboutBox::MediumDate(m_data.BuildDate));
    });
}

void winAboutBox::pbDone_Pressed()
{
    static constexpr HandlerId id{kOwner, "pbDone", "Pressed", HandlerKind::ControlEvent};
    Guard(id, [&] { close(); });
}

void winAboutBox::HideControl(QWidget *c)
{
    static constexpr HandlerId id{kOwner, "", "HideControl", HandlerKind::WindowMethod};
    Guard(id, [&] {
        if (!c)
            throw NilObjectException(QStringLiteral("HideControl was given no control"));
        // Visible as the window sees it, also before the window is shown.
        if (!c->isVisibleTo(this))
            return;
        Toolkit::ContentArea *area = content();
        const QList<QWidget *> controls = area->controls();
        const qsizetype k = controls.indexOf(c);
        if (k < 0)
            throw InvalidArgumentException(QStringLiteral("HideControl: the control is not in this window"));
        const int top = area->designFrame(c).top();

        // The stack below c: the controls created after it that lie below it. A control
        // created later but placed above c (the Done button at the top) is not part of it.
        QList<QWidget *> below;
        int nextTop = 0;
        for (qsizetype i = k + 1; i < controls.size(); ++i) {
            const int t = area->designFrame(controls.at(i)).top();
            if (t > top) {
                nextTop = below.isEmpty() ? t : std::min(nextTop, t);
                below.append(controls.at(i));
            }
        }
        if (below.isEmpty())
            throw OutOfBoundsException(QStringLiteral("HideControl: no control follows the one to hide"));
        const int gap = nextTop - top;

        c->setVisible(false);
        below.prepend(c);
        for (QWidget *w : std::as_const(below))
            area->setDesignFrame(w, area->designFrame(w).translated(0, -gap));

        const QSize shorter(Width(), Height() - gap);
        setContentMinimumSize(shorter);
        setContentMaximumSize(shorter);
        area->setDesignSize(QSize(area->designSize().width(), area->designSize().height() - gap));
        setHeight(shorter.height());
    });
}
