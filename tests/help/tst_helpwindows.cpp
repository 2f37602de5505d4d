#include "common/GuiTestMain.h"

#include "errors/ErrorHandling.h"
#include "help/Help.h"
#include "help/HelpLayout.h"
#include "help/HelpWindows.h"
#include "help/winHelp.h"
#include "help/winHelpSimple.h"
#include "toolkit/Controls.h"
#include "toolkit/DateTime.h"
#include "toolkit/Desktop.h"
#include "toolkit/System.h"
#include "toolkit/Window.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QWheelEvent>

#include <memory>

namespace {

// Stamp of the pinned clock below, as style 4 writes it in front of a file name.
const QString kStamp = QStringLiteral("230411_234236");
const QRect kScreen(0, 30, 1600, 900);

// What the test saw of a help window while it was on screen.
struct Seen
{
    int shownCount = 0;
    QString className;
    QString title;
    QRect frame; // Left, Top, Width, Height
    QString shownText;
    bool closedWhileShown = false; // closed by the test's own action, not by the watcher
    QPointer<QWidget> window;      // null once the window has been released
};

QString shownText(QWidget *w)
{
    if (auto *html = qobject_cast<winHelp *>(w))
        return html->HV_Help()->toPlainText();
    if (auto *plain = qobject_cast<winHelpSimple *>(w))
        return plain->taHelp()->Text();
    return QStringLiteral("<not a help window>");
}

QAbstractScrollArea *contentControl(QWidget *w)
{
    if (auto *html = qobject_cast<winHelp *>(w))
        return html->HV_Help();
    if (auto *plain = qobject_cast<winHelpSimple *>(w))
        return plain->taHelp();
    return nullptr;
}

// Runs `open` (which shows one modal help window); `act` runs while the window is on screen,
// as the user would. Whatever `act` leaves open, the watcher closes.
Seen showWindow(const std::function<void()> &open, const std::function<void(Toolkit::ModalWindow *)> &act = {})
{
    Seen seen;
    {
        Toolkit::ModalWatcher watcher([&](QWidget *w) {
            auto *window = qobject_cast<Toolkit::ModalWindow *>(w);
            if (!window)
                return;
            seen.window = w;
            seen.className = QString::fromLatin1(w->metaObject()->className());
            seen.title = w->windowTitle();
            seen.frame = QRect(window->Left(), window->Top(), window->Width(), window->Height());
            seen.shownText = shownText(w);
            if (act)
                act(window);
            seen.closedWhileShown = !w->isVisible();
        });
        open();
        seen.shownCount = watcher.shownCount();
    }
    return seen;
}

std::function<void()> opener(bool isHtml, const QString &content, const QString &title, qint64 width, qint64 height)
{
    return [=] { HelpWindows::showHelpWindow(isHtml, content, title, width, height); };
}

QString longPlainText()
{
    QStringList paragraphs;
    for (int i = 0; i < 60; ++i)
        paragraphs.append(QStringLiteral("Paragraph %1 of a long help topic, written out so that it needs many lines "
                                         "at every wrap width the window tries.")
                              .arg(i));
    return paragraphs.join(QStringLiteral("\n\n"));
}

QString longHtml()
{
    return QStringLiteral("<p>") + longPlainText().split(QStringLiteral("\n\n")).join(QStringLiteral("</p><p>"))
        + QStringLiteral("</p>");
}

// The local files that the pages below point at: an 8 x 8 red picture and a style sheet
// that paints paragraphs red.
const QSize kPictureSize(8, 8);

// Whether a resource the document asked for holds what the file holds.
bool holdsFileContent(const QVariant &resource)
{
    switch (resource.typeId()) {
    case QMetaType::QPixmap:
        return resource.value<QPixmap>().size() == kPictureSize;
    case QMetaType::QImage:
        return resource.value<QImage>().size() == kPictureSize;
    case QMetaType::QByteArray:
        return !resource.toByteArray().isEmpty();
    case QMetaType::QString:
        return !resource.toString().isEmpty();
    default:
        return resource.isValid();
    }
}

bool showsRed(const QImage &shot)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(line[x]) == 255 && qGreen(line[x]) == 0 && qBlue(line[x]) == 0)
                return true;
        }
    }
    return false;
}

void click(Toolkit::ModalWindow *window, const char *controlName)
{
    auto *button = window->findChild<Toolkit::Button *>(QLatin1String(controlName));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestHelpWindows : public QObject
{
    Q_OBJECT

private:
    Help::HelpWindowOpener m_previousOpener;
    ErrorHandling::ReportOpener m_previousReportOpener;
    QStringList m_reports;
    std::unique_ptr<Toolkit::MessageRecorder> m_messages;
    Toolkit::PinnedClock m_clock{Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 0}};

    static QString desktop() { return TestHome::path() + QStringLiteral("/Desktop"); }
    static QStringList desktopFiles() { return QDir(desktop()).entryList(QDir::Files, QDir::Name); }
    static QString desktopFile(const QString &name)
    {
        QFile file(desktop() + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<missing %1>").arg(name);
        return QString::fromUtf8(file.readAll());
    }

private slots:
    void initTestCase()
    {
        HelpWindows::install();
        m_previousReportOpener = ErrorHandling::setReportOpener([this](const QString &t) { m_reports.append(t); });
    }

    void cleanupTestCase()
    {
        Help::setWindowOpener({});
        ErrorHandling::setReportOpener(m_previousReportOpener);
        Help::setHelpSourceForTests(std::nullopt);
    }

    void init()
    {
        Toolkit::pinScreenForTests(kScreen);
        Toolkit::Keyboard::pinAltKeyForTests(false);
        QDir(desktop()).removeRecursively();
        QFile::remove(desktop());
        QVERIFY(QDir().mkpath(desktop()));
        m_reports.clear();
        m_messages = std::make_unique<Toolkit::MessageRecorder>();
    }

    void cleanup()
    {
        Toolkit::pinScreenForTests(std::nullopt);
        Toolkit::Keyboard::pinAltKeyForTests(std::nullopt);
        const QStringList messages = m_messages->messages;
        m_messages.reset();
        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(QStringLiteral("\n---\n"))));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QStringLiteral("\n---\n"))));
    }

    void newWindowLayout_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::addColumn<QString>("designTitle");
        QTest::addColumn<QString>("contentName");
        QTest::newRow("winHelp") << true << "Show HTML Help"
                                 << "HV_Help";
        QTest::newRow("winHelpSimple") << false << "Show Text Help"
                                       << "taHelp";
    }

    // A window fresh from its constructor: Opening has sized it for its empty text and put it
    // at the top right; its controls are placed and anchored as designed.
    void newWindowLayout()
    {
        QFETCH(bool, isHtml);
        QFETCH(QString, designTitle);
        QFETCH(QString, contentName);

        std::unique_ptr<Toolkit::ModalWindow> window;
        if (isHtml)
            window = std::make_unique<winHelp>();
        else
            window = std::make_unique<winHelpSimple>();
        QCOMPARE(window->windowTitle(), designTitle);
        QVERIFY(window->isModal());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        const QString font = isHtml ? QStringLiteral("Helvetica") : QStringLiteral("System");
        const HelpLayout::WindowFrame expected = HelpLayout::AdjustWindowSize(
            [&](int wrap) { return int(Toolkit::TextHeight(QString(), font, 14, wrap)); }, 0, 0, kScreen);
        QCOMPARE(window->Width(), 340);
        QCOMPARE(window->Height(), expected.height);
        QCOMPARE(window->Left(), 1600 - 340 - 4);
        QCOMPARE(window->Top(), 30 + 22);

        auto *text = window->findChild<QAbstractScrollArea *>(contentName);
        auto *done = window->findChild<Toolkit::Button *>(QStringLiteral("pbDone"));
        QVERIFY(text);
        QVERIFY(done);
        Toolkit::ContentArea *area = window->content();
        QCOMPARE(area->controls(), (QList<QWidget *>{text, done}));
        QCOMPARE(area->designFrame(text), QRect(20, 20, 374, 379));
        QCOMPARE(area->anchorsOf(text), int(Toolkit::AnchorAll));
        QCOMPARE(area->designFrame(done), QRect(314, 411, 80, 20));
        QCOMPARE(area->anchorsOf(done), int(Toolkit::AnchorRight | Toolkit::AnchorBottom));
        QCOMPARE(done->text(), QStringLiteral("Done"));
        QVERIFY(done->isDefault());

        // The user can neither edit nor click the text, yet it is not greyed out.
        QVERIFY(!text->isEnabled());
        for (auto role : {QPalette::Text, QPalette::Base})
            QCOMPARE(text->palette().color(QPalette::Disabled, role), text->palette().color(QPalette::Active, role));
    }

    void resizing_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::newRow("winHelp") << true;
        QTest::newRow("winHelpSimple") << false;
    }

    // The text keeps its 20-point margins and Done stays at the bottom right as the user
    // resizes the window, within the window's own limits.
    void resizing()
    {
        QFETCH(bool, isHtml);

        QList<QSize> sizes;
        QList<QRect> textFrames;
        QList<QRect> doneFrames;
        const QList<QSize> requested{QSize(414, 446), QSize(700, 250), QSize(200, 200), QSize(100, 50),
                                     QSize(2000, 4000)};
        const Seen seen = showWindow(opener(isHtml, QStringLiteral("Text"), QStringLiteral("Sizes"), 500, 300),
                                     [&](Toolkit::ModalWindow *w) {
                                         QWidget *text = contentControl(w);
                                         QWidget *done = w->findChild<Toolkit::Button *>(QStringLiteral("pbDone"));
                                         for (const QSize size : requested) {
                                             w->setWidth(size.width());
                                             w->setHeight(size.height());
                                             sizes.append(QSize(w->Width(), w->Height()));
                                             textFrames.append(text->geometry());
                                             doneFrames.append(done->geometry());
                                         }
                                     });
        QCOMPARE(seen.shownCount, 1);
        const QList<QSize> expected{QSize(414, 446), QSize(700, 250), QSize(200, 200), QSize(200, 200),
                                    QSize(1500, 3000)};
        QCOMPARE(sizes, expected);
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QSize size = expected.at(i);
            QCOMPARE(textFrames.at(i), QRect(20, 20, size.width() - 40, size.height() - 67));
            QCOMPARE(doneFrames.at(i), QRect(size.width() - 100, size.height() - 35, 80, 20));
        }
    }

    void requestedSize_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("winHelp 500 x 300") << true << QSize(500, 300) << QSize(500, 300);
        QTest::newRow("winHelpSimple 500 x 300") << false << QSize(500, 300) << QSize(500, 300);
        QTest::newRow("wider than the window allows") << true << QSize(2000, 300) << QSize(1500, 300);
        QTest::newRow("smaller than the window allows") << false << QSize(100, 150) << QSize(200, 200);
    }

    void requestedSize()
    {
        QFETCH(bool, isHtml);
        QFETCH(QSize, requested);
        QFETCH(QSize, expected);

        const QString content = isHtml ? longHtml() : longPlainText();
        const Seen seen =
            showWindow(opener(isHtml, content, QStringLiteral("Overview"), requested.width(), requested.height()));
        QCOMPARE(seen.shownCount, 1);
        QCOMPARE(seen.className, isHtml ? QStringLiteral("winHelp") : QStringLiteral("winHelpSimple"));
        QCOMPARE(seen.title, QStringLiteral("Overview"));
        QCOMPARE(seen.frame, QRect(1600 - expected.width() - 4, 30 + 22, expected.width(), expected.height()));
        QVERIFY(!seen.window); // released once closed
    }

    void sizedToText_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QRect>("screen");
        // What the window measures, and the height limit that must bind (0: none).
        QTest::addColumn<QString>("measured");
        QTest::addColumn<int>("heightLimit");

        // Markup that would make the topic look far longer if the HTML itself were measured.
        const QString style = QStringLiteral(" style=\"font-family: Helvetica, Arial, sans-serif; color: #202020; "
                                             "margin-top: 4px; margin-bottom: 4px; line-height: 120%\"");
        const QString shortHtml = QStringLiteral("<html><head><title>Not measured</title></head><body><p") + style
            + QStringLiteral(">A short topic.</p><p") + style + QStringLiteral(">Second paragraph.</p></body></html>");
        // Only a bare "<p>" starts a paragraph; "</p>" still ends the line.
        const QString shortMeasured = QStringLiteral("A short topic.\nSecond paragraph.");
        const QRect low(0, 25, 1200, 700);

        QTest::newRow("winHelp, short") << true << shortHtml << QSize(0, 0) << kScreen << shortMeasured << 0;
        QTest::newRow("winHelp, width 0 only") << true << shortHtml << QSize(0, 300) << kScreen << shortMeasured << 0;
        QTest::newRow("winHelpSimple, short") << false << shortMeasured << QSize(0, 0) << kScreen << shortMeasured << 0;
        QTest::newRow("winHelpSimple, height 0 only")
            << false << shortMeasured << QSize(500, 0) << kScreen << shortMeasured << 0;
        QTest::newRow("winHelp, long, 700 high screen")
            << true << longHtml() << QSize(0, 0) << low << longPlainText() << 560;
        QTest::newRow("winHelpSimple, long, 700 high screen")
            << false << longPlainText() << QSize(0, 0) << low << longPlainText() << 560;
    }

    void sizedToText()
    {
        QFETCH(bool, isHtml);
        QFETCH(QString, content);
        QFETCH(QSize, requested);
        QFETCH(QRect, screen);
        QFETCH(QString, measured);
        QFETCH(int, heightLimit);

        Toolkit::pinScreenForTests(screen);
        const QString font = isHtml ? QStringLiteral("Helvetica") : QStringLiteral("System");
        const HelpLayout::WindowFrame expected = HelpLayout::AdjustWindowSize(
            [&](int wrap) { return int(Toolkit::TextHeight(measured, font, 14, wrap)); }, 0, 0, screen);

        const Seen seen =
            showWindow(opener(isHtml, content, QStringLiteral("Topic"), requested.width(), requested.height()));
        QCOMPARE(seen.shownCount, 1);
        QCOMPARE(seen.frame, QRect(expected.left, expected.top, expected.width, expected.height));
        QVERIFY(seen.frame.height() <= screen.height() * 4 / 5);
        if (heightLimit > 0)
            QCOMPARE(seen.frame.height(), heightLimit);
    }

    void doneButton_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::addColumn<bool>("altDown");
        QTest::newRow("winHelp, Alt down") << true << true;
        QTest::newRow("winHelp, Alt up") << true << false;
        QTest::newRow("winHelpSimple, Alt down") << false << true;
        QTest::newRow("winHelpSimple, Alt up") << false << false;
    }

    // Done closes the window; with the Option (Alt) key down it first writes the size record.
    void doneButton()
    {
        QFETCH(bool, isHtml);
        QFETCH(bool, altDown);

        Toolkit::Keyboard::pinAltKeyForTests(altDown);
        const Seen seen =
            showWindow(opener(isHtml, QStringLiteral("<p>Text</p>"), QStringLiteral("Overview"), 500, 300),
                       [](Toolkit::ModalWindow *w) { click(w, "pbDone"); });
        QVERIFY(seen.closedWhileShown);
        if (altDown) {
            const QString name = kStamp + QStringLiteral("WindowSizeInfo.txt");
            QCOMPARE(desktopFiles(), QStringList{name});
            QCOMPARE(desktopFile(name), QStringLiteral("Width: 500   Height: 300  Title: Overview"));
        } else {
            QVERIFY(desktopFiles().isEmpty());
        }
    }

    void returnPressesDone_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::newRow("winHelp") << true;
        QTest::newRow("winHelpSimple") << false;
    }

    void returnPressesDone()
    {
        QFETCH(bool, isHtml);

        // With Alt down the size record shows that it was Done that closed the window.
        Toolkit::Keyboard::pinAltKeyForTests(true);
        const Seen seen = showWindow(opener(isHtml, QStringLiteral("Text"), QStringLiteral("Keys"), 450, 350),
                                     [](Toolkit::ModalWindow *w) { QTest::keyClick(w, Qt::Key_Return); });
        QVERIFY(seen.closedWhileShown);
        const QString name = kStamp + QStringLiteral("WindowSizeInfo.txt");
        QCOMPARE(desktopFiles(), QStringList{name});
        QCOMPARE(desktopFile(name), QStringLiteral("Width: 450   Height: 350  Title: Keys"));
    }

    // A record that cannot be written is reported by the file writer; the window still closes.
    void doneWhenTheRecordCannotBeWritten()
    {
        QVERIFY(QDir(desktop()).removeRecursively());
        QFile blocker(desktop());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        Toolkit::Keyboard::pinAltKeyForTests(true);
        const Seen seen = showWindow(opener(true, QStringLiteral("<p>Text</p>"), QStringLiteral("Overview"), 500, 300),
                                     [](Toolkit::ModalWindow *w) { click(w, "pbDone"); });
        QVERIFY(seen.closedWhileShown);
        QVERIFY(!m_messages->messages.isEmpty());
        QVERIFY2(m_messages->messages.first().startsWith(QStringLiteral("Oops! FileTools.")),
                 qPrintable(m_messages->messages.first()));
        // Nothing was reported in the help window's own name.
        for (const QString &message : std::as_const(m_messages->messages))
            QVERIFY2(!message.contains(QStringLiteral("winHelp")), qPrintable(message));
        m_messages->messages.clear();
    }

    void showHelpOpensTheRightWindow_data()
    {
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<qint64>("topic");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text"); // empty: the topic's content as stored

        QTest::newRow("HTML topic") << false << qint64(1) << "winHelp"
                                    << "HTML Topic"
                                    << "Hello world";
        QTest::newRow("plain topic without a title") << false << qint64(2) << "winHelpSimple"
                                                     << "Help"
                                                     << "Just plain text.";
        QTest::newRow("shipped Overview") << true << qint64(1) << "winHelpSimple"
                                          << "Overview"
                                          << "";
        QTest::newRow("shipped Filtered List") << true << qint64(4) << "winHelpSimple"
                                               << "Filtered List"
                                               << "";
    }

    void showHelpOpensTheRightWindow()
    {
        QFETCH(bool, shipped);
        QFETCH(qint64, topic);
        QFETCH(QString, className);
        QFETCH(QString, title);
        QFETCH(QString, text);

        if (shipped)
            Help::setHelpSourceForTests(std::nullopt);
        else
            Help::setHelpSourceForTests(QStringLiteral("1\tHTML Topic\t<p>Hello <b>world</b></p>\t0\t0<#CR>\n"
                                                       "2\t\tJust plain text.\t0\t0<#CR>"));
        Help::FillDictionaryFromHELP_TEXT();
        Help::setHelpSourceForTests(std::nullopt);
        QVERIFY(Help::helpDict && Help::helpDict->contains(topic));
        if (text.isEmpty())
            text = Help::helpDict->value(topic).split(QLatin1Char('\t')).value(1).trimmed();

        const Seen seen = showWindow([topic] { Help::ShowHelp(topic); });
        QCOMPARE(seen.shownCount, 1);
        QCOMPARE(seen.className, className);
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.shownText, text);
        QVERIFY(!seen.window);
        QVERIFY(desktopFiles().isEmpty());
    }

    void viewerLoadsNothingFromOutside_data()
    {
        QTest::addColumn<QString>("reference"); // as written in the HTML
        QTest::addColumn<QString>("html");      // %1 is the reference
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("localFile"); // an ordinary text browser would read it

        const QString folder = TestHome::path() + QStringLiteral("/page");
        const QString img = QStringLiteral("<p>Picture:</p><img src=\"%1\" width=\"20\" height=\"20\">");
        QTest::newRow("image by file URL") << QUrl::fromLocalFile(folder + QStringLiteral("/pic.png")).toString() << img
                                           << int(QTextDocument::ImageResource) << true;
        QTest::newRow("image by absolute path")
            << folder + QStringLiteral("/pic.png") << img << int(QTextDocument::ImageResource) << true;
        QTest::newRow("image by relative path") << "pic.png" << img << int(QTextDocument::ImageResource) << true;
        QTest::newRow("style sheet") << QUrl::fromLocalFile(folder + QStringLiteral("/style.css")).toString()
                                     << "<html><head><link rel=\"stylesheet\" type=\"text/css\" "
                                        "href=\"%1\"></head><body><p>Text</p></body></html>"
                                     << int(QTextDocument::StyleSheetResource) << true;
        QTest::newRow("web image") << "http://127.0.0.1:9/pic.png" << img << int(QTextDocument::ImageResource) << false;
    }

    void viewerLoadsNothingFromOutside()
    {
        QFETCH(QString, reference);
        QFETCH(QString, html);
        QFETCH(int, type);
        QFETCH(bool, localFile);

        const QString folder = TestHome::path() + QStringLiteral("/page");
        QVERIFY(QDir().mkpath(folder));
        QImage picture(kPictureSize, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(folder + QStringLiteral("/pic.png"), "PNG"));
        QFile css(folder + QStringLiteral("/style.css"));
        QVERIFY(css.open(QIODevice::WriteOnly));
        css.write("p { background-color: #ff0000; }");
        css.close();
        const QString previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder));
        const QString page = html.arg(reference);
        const QUrl url(reference);

        if (localFile) {
            // The page really points at something an ordinary browser would fetch.
            QTextBrowser ordinary;
            ordinary.resize(400, 300);
            ordinary.setHtml(page);
            QVERIFY(showsRed(ordinary.grab().toImage()));
            QVERIFY(holdsFileContent(ordinary.document()->resource(type, url)));
        }

        QVariant loaded;
        QImage shot;
        const Seen seen =
            showWindow(opener(true, page, QStringLiteral("Outside"), 500, 300), [&](Toolkit::ModalWindow *w) {
                auto *viewer = static_cast<winHelp *>(w)->HV_Help();
                shot = w->grab().toImage(); // laid out and painted, as on screen
                loaded = viewer->document()->resource(type, url);
            });
        QDir::setCurrent(previousCurrent);
        QCOMPARE(seen.shownCount, 1);
        QVERIFY(!showsRed(shot));
        QVERIFY2(!holdsFileContent(loaded), loaded.typeName());
    }

    void editItemsUseTheViewersOwnActions()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QString selected;
        QString copied;
        QString afterEdits;
        QList<bool> handled;
        showWindow(opener(true, QStringLiteral("<p>Hello <b>world</b></p>"), QStringLiteral("Edit"), 500, 300),
                   [&](Toolkit::ModalWindow *w) {
                       auto *viewer = static_cast<winHelp *>(w)->HV_Help();
                       handled.append(w->HandleMenuItem(QStringLiteral("EditSelectAll")));
                       selected = viewer->textCursor().selectedText();
                       handled.append(w->HandleMenuItem(QStringLiteral("EditCopy")));
                       copied = QGuiApplication::clipboard()->text();
                       for (const char *item : {"EditCut", "EditPaste", "EditClear"})
                           handled.append(w->HandleMenuItem(QLatin1String(item)));
                       afterEdits = viewer->toPlainText();
                   });
        QCOMPARE(handled, QList<bool>(5, true));
        QCOMPARE(selected, QStringLiteral("Hello world"));
        QCOMPARE(copied, QStringLiteral("Hello world"));
        // Read-only: cut, paste and clear leave the help text as it was.
        QCOMPARE(afterEdits, QStringLiteral("Hello world"));
    }

    void wheelScrollsTheText_data()
    {
        QTest::addColumn<bool>("isHtml");
        QTest::newRow("winHelp") << true;
        QTest::newRow("winHelpSimple") << false;
    }

    // The text cannot be edited, but a topic longer than the window must still be readable.
    void wheelScrollsTheText()
    {
        QFETCH(bool, isHtml);

        int maximum = -1;
        int before = -1;
        int after = -1;
        const QString content = isHtml ? longHtml() : longPlainText();
        showWindow(opener(isHtml, content, QStringLiteral("Long"), 400, 250), [&](Toolkit::ModalWindow *w) {
            QAbstractScrollArea *area = contentControl(w);
            w->grab();
            QScrollBar *bar = area->verticalScrollBar();
            maximum = bar->maximum();
            before = bar->value();
            const QPointF at(50, 50);
            QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(area->viewport(), &wheel);
            after = bar->value();
        });
        QVERIFY(maximum > 0);
        QCOMPARE(before, 0);
        QVERIFY(after > 0);
    }
};

VANTREL_TEST_MAIN_GUI(TestHelpWindows)
#include "tst_helpwindows.moc"
