#include "common/GuiTestMain.h"

#include "about/StaticURL.h"
#include "about/winAboutBox.h"
#include "errors/ErrorHandling.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"
#include "toolkit/System.h"

#include <QAccessible>
#include <QPointer>

namespace {

AboutBoxData sampleData()
{
    AboutBoxData d;
    d.MajorVersion = 1;
    d.MinorVersion = 0;
    d.Version = QStringLiteral("1.0.0");
    d.Description = QStringLiteral("Old and New Versions of Commands");
    d.Copyright = QStringLiteral("Copyright 2024 the Vantrel developers");
    d.BuildDate = QDate(2023, 4, 11);
    return d;
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private:
    QStringList m_reports;
    ErrorHandling::ReportOpener m_previousOpener;

    static QColor shownColor(const QWidget *w) { return w->palette().color(QPalette::Active, QPalette::WindowText); }

private slots:
    void init()
    {
        m_reports.clear();
        m_previousOpener = ErrorHandling::setReportOpener([this](const QString &t) { m_reports.append(t); });
    }
    void cleanup()
    {
        delete winAboutBox::existing();
        QVERIFY(!winAboutBox::existing());
        ErrorHandling::setReportOpener(m_previousOpener);
        Toolkit::pinScreenForTests(std::nullopt);
    }

    void texts_data()
    {
        QTest::addColumn<qint64>("major");
        QTest::addColumn<qint64>("minor");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("versionLine");
        QTest::addColumn<QString>("descriptionLine");

        const QString desc = QStringLiteral("Old and New Versions of Commands");
        const QString fallback = QStringLiteral("Xojo deprecations and the like");
        QTest::newRow("as shipped") << qint64(1) << qint64(0) << "1.0.0" << desc << "Version 1.0 1.0.0" << desc;
        QTest::newRow("no version string") << qint64(1) << qint64(0) << "" << desc << "Version 1.0" << desc;
        QTest::newRow("no description") << qint64(1) << qint64(0) << "1.0.0"
                                        << ""
                                        << "Version 1.0 1.0.0" << fallback;
        QTest::newRow("neither") << qint64(12) << qint64(34) << ""
                                 << ""
                                 << "Version 12.34" << fallback;
    }

    void texts()
    {
        QFETCH(qint64, major);
        QFETCH(qint64, minor);
        QFETCH(QString, version);
        QFETCH(QString, description);
        QFETCH(QString, versionLine);
        QFETCH(QString, descriptionLine);

        AboutBoxData data = sampleData();
        data.MajorVersion = major;
        data.MinorVersion = minor;
        data.Version = version;
        data.Description = description;
        winAboutBox *box = winAboutBox::instance(data);
        QCOMPARE(box->labName()->Text(), QStringLiteral("Vantrel"));
        QCOMPARE(box->labVersion()->Text(), versionLine);
        QCOMPARE(box->labDescription()->Text(), descriptionLine);
        QCOMPARE(box->labCopyright()->Text(), data.Copyright);
        QCOMPARE(box->taCredits()->Text(),
                 QStringLiteral("\n\nPlease send comments and bug descriptions to vantrel@example.org\n"));
        QCOMPARE(box->labReleaseDate()->Text(),
                 QStringLiteral("Release Date: ") + AboutBox::MediumDate(QDate(2023, 4, 11), QLocale()));
        QVERIFY(m_reports.isEmpty());
    }

    void mediumDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en_US") << "en_US"
                               << "Apr 11, 2023";
        QTest::newRow("en_GB") << "en_GB"
                               << "11 Apr 2023";
        QTest::newRow("de_DE") << "de_DE"
                               << "11. Apr. 2023";
        QTest::newRow("fr_FR") << "fr_FR" << QStringLiteral("11 avr. 2023");
        QTest::newRow("ja_JP: weekday after the date") << "ja_JP" << QStringLiteral("2023年4月11日");
        QTest::newRow("ru_RU: literal after the year") << "ru_RU" << QStringLiteral("11 апр. 2023 г.");
    }

    void mediumDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(AboutBox::MediumDate(QDate(2023, 4, 11), QLocale(locale)), expected);
    }

    void releaseDateIsTheBuildDate()
    {
        const QDate built = AboutBox::BuildDate();
        QVERIFY(built.isValid());
        QVERIFY(built <= QDateTime::currentDateTimeUtc().date()); // written in UTC
        AboutBoxData data = sampleData();
        data.BuildDate = built;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale previous;
        QLocale::setDefault(us);
        winAboutBox *box = winAboutBox::instance(data);
        QLocale::setDefault(previous);
        QCOMPARE(box->labReleaseDate()->Text(),
                 QStringLiteral("Release Date: ") + built.toString(QStringLiteral("MMM d, yyyy")));
    }

    void homePageLink_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("text");

        const QString url = QStringLiteral("https://vantrel.example.org/");
        QTest::newRow("none, as shipped") << ""
                                          << "" << false << "";
        QTest::newRow("address only shows the address") << "" << url << true << url;
        QTest::newRow("caption and address") << "Vantrel home" << url << true << "Vantrel home";
        QTest::newRow("caption without address") << "Vantrel home"
                                                 << "" << false << "Vantrel home";
    }

    void homePageLink()
    {
        QFETCH(QString, caption);
        QFETCH(QString, url);
        QFETCH(bool, visible);
        QFETCH(QString, text);

        AboutBoxData data = sampleData();
        data.HomePageCaption = caption;
        data.HomePageURL = url;
        winAboutBox *box = winAboutBox::instance(data);
        StaticURL *link = box->suHomePage();
        QCOMPARE(link->Text(), text);
        QCOMPARE(link->URL, url);
        // Opened as a link: blue and underlined, whether shown or not.
        QCOMPARE(shownColor(link), QColor(0x00, 0x00, 0xFF));
        QVERIFY(link->font().underline());

        bool shown = !visible;
        Toolkit::ModalWatcher watcher([&](QWidget *) { shown = link->isVisible(); });
        box->ShowModal();
        QCOMPARE(watcher.shownCount(), 1);
        QCOMPARE(shown, visible);
        QVERIFY(m_reports.isEmpty());
    }

    void linkOpensOnlyWhenReleasedInside()
    {
        AboutBoxData data = sampleData();
        data.HomePageURL = QStringLiteral("https://vantrel.example.org/");
        winAboutBox *box = winAboutBox::instance(data);
        StaticURL *link = box->suHomePage();
        Toolkit::MessageRecorder rec;
        Toolkit::ModalWatcher watcher([&](QWidget *) {
            QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, -3)); // dragged off the top
            QCOMPARE(shownColor(link), QColor(0x00, 0x00, 0xFF));
            QVERIFY(rec.urls.isEmpty());
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(rec.urls, QStringList{QStringLiteral("https://vantrel.example.org/")});
        });
        box->ShowModal();
        QCOMPARE(watcher.shownCount(), 1);
    }

    void window()
    {
        Toolkit::pinScreenForTests(QRect(0, 0, 1280, 1024));
        winAboutBox *box = winAboutBox::instance(sampleData());
        QVERIFY(box->windowTitle().isEmpty());
        QVERIFY(box->isModal());
        QCOMPARE(QSize(box->Width(), box->Height()), QSize(320, 400));
        // Fixed size: the window cannot be resized.
        QCOMPARE(box->minimumSize(), box->maximumSize());
        const Qt::WindowFlags flags = box->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        // Centred on the main screen.
        QCOMPARE(QPoint(box->Left(), box->Top()), QPoint(480, 312));

        QStringList names;
        for (QWidget *c : box->content()->controls()) {
            names << c->objectName();
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        }
        QCOMPARE(names,
                 (QStringList{"Icon64", "labName", "labVersion", "labDescription", "taCredits", "labCopyright",
                              "suHomePage", "labReleaseDate", "pbDone"}));
        // A screen reader hears what each label shows, not what kind of label it is.
        for (const char *name : {"labName", "labVersion", "labDescription", "labCopyright", "labReleaseDate"}) {
            auto *label = box->findChild<Toolkit::Label *>(QLatin1String(name));
            QVERIFY(label && !label->Text().isEmpty());
            QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), label->Text());
        }

        QCOMPARE(box->pbDone()->text(), QStringLiteral("Done"));
        QVERIFY(box->pbDone()->isDefault());
        QVERIFY(box->taCredits()->isReadOnly());
        QVERIFY(box->labName()->font().bold());
        QVERIFY(box->labVersion()->font().pointSizeF() < box->labName()->font().pointSizeF());
        QCOMPARE(box->Icon64()->focusPolicy(), Qt::NoFocus);
        for (Toolkit::Label *l :
             {box->labName(), box->labVersion(), box->labDescription(), box->labCopyright(), box->labReleaseDate()}) {
            QCOMPARE(shownColor(l), QColor(Qt::black));
            QCOMPARE(l->textInteractionFlags(), Qt::NoTextInteraction);
        }
        QCOMPARE(box->Icon64()->Backdrop().size(), QSize(64, 64));
    }

    void picture()
    {
        const QPixmap picture = AboutBox::VantrelSmaller64();
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.size(), QSize(64, 64));
        QVERIFY(!Toolkit::PictureNamed(QStringLiteral("VantrelSmaller64")).isNull());
    }

    void pictureIsKeptOnceLoadedAndRetriedWhenNot()
    {
        int loads = 0;
        bool fail = true;
        const AboutBox::PictureLoader previous = AboutBox::setPictureLoaderForTests([&](const QString &name) {
            ++loads;
            return fail ? QPixmap() : Toolkit::PictureNamed(name);
        });
        QVERIFY(AboutBox::VantrelSmaller64().isNull());
        fail = false;
        QCOMPARE(AboutBox::VantrelSmaller64().size(), QSize(64, 64));
        QCOMPARE(AboutBox::VantrelSmaller64().size(), QSize(64, 64));
        QCOMPARE(loads, 2);
        AboutBox::setPictureLoaderForTests(previous);
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Return in the box") << "return";
        QTest::newRow("Return in the credits") << "return-credits";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Done clicked") << "click";
        QTest::newRow("close button") << "close";
    }

    void closing()
    {
        QFETCH(QString, how);
        winAboutBox *box = winAboutBox::instance(sampleData());
        QPointer<winAboutBox> guard(box);
        bool closedByUser = false;
        Toolkit::ModalWatcher watcher([&](QWidget *w) {
            QCOMPARE(w, box);
            // While it is open, asking again gives the same box.
            QCOMPARE(winAboutBox::instance(AboutBoxData()), box);
            if (how == QLatin1String("return"))
                QTest::keyClick(box, Qt::Key_Return);
            else if (how == QLatin1String("return-credits"))
                QTest::keyClick(box->taCredits(), Qt::Key_Return);
            else if (how == QLatin1String("enter"))
                QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
            else if (how == QLatin1String("click"))
                QTest::mouseClick(box->pbDone(), Qt::LeftButton);
            else
                box->close();
            closedByUser = guard && !guard->isVisible();
        });
        box->ShowModal();
        QCOMPARE(watcher.shownCount(), 1);
        QVERIFY(closedByUser);
        // Closed means destroyed; the next request builds and fills a fresh box.
        QVERIFY(!guard);
        QVERIFY(!winAboutBox::existing());
        AboutBoxData other = sampleData();
        other.Version.clear();
        winAboutBox *fresh = winAboutBox::instance(other);
        QVERIFY(fresh);
        QCOMPARE(fresh->labVersion()->Text(), QStringLiteral("Version 1.0"));
        QVERIFY(m_reports.isEmpty());
    }

    void hideControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("height");
        // Tops afterwards, in creation order: Icon64, labName, labVersion, labDescription,
        // taCredits, labCopyright, suHomePage, labReleaseDate, pbDone.
        QTest::addColumn<QList<int>>("tops");

        QTest::newRow("labName") << "labName" << 369 << QList<int>{8, 53, 84, 119, 169, 309, 332, 279, 8};
        QTest::newRow("labVersion") << "labVersion" << 365 << QList<int>{8, 84, 80, 115, 165, 305, 328, 275, 8};
        // The release date, created later but placed in between, is the next one below.
        QTest::newRow("taCredits") << "taCredits" << 290 << QList<int>{8, 84, 115, 150, 90, 230, 253, 200, 8};
        // The release date lies above the copyright notice and stays where it is.
        QTest::newRow("labCopyright") << "labCopyright" << 377 << QList<int>{8, 84, 115, 150, 200, 317, 340, 310, 8};
        QTest::newRow("hidden link: nothing to do")
            << "suHomePage" << 400 << QList<int>{8, 84, 115, 150, 200, 340, 363, 310, 8};
    }

    void hideControl()
    {
        QFETCH(QString, control);
        QFETCH(int, height);
        QFETCH(QList<int>, tops);

        winAboutBox *box = winAboutBox::instance(sampleData());
        QWidget *c = box->content()->findChild<QWidget *>(control);
        QVERIFY(c);
        box->HideControl(c);
        QVERIFY(m_reports.isEmpty());
        QVERIFY(!c->isVisibleTo(box));

        QList<int> designTops, shownTops;
        for (QWidget *w : box->content()->controls()) {
            designTops << box->content()->designFrame(w).top();
            shownTops << w->geometry().top();
        }
        QCOMPARE(designTops, tops);
        QCOMPARE(shownTops, tops);
        QCOMPARE(box->Height(), height);
        QCOMPARE(box->Width(), 320);

        // Shown, the window has the new height.
        int shownHeight = 0;
        Toolkit::ModalWatcher watcher([&](QWidget *w) { shownHeight = w->height(); });
        box->ShowModal();
        QCOMPARE(shownHeight, height);
    }

    void hideControlWithNothingBelow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("exception");
        // Created last, at the top: no control follows it.
        QTest::newRow("pbDone") << "pbDone"
                                << "OutOfBoundsException";
        // Only the Done button, above it, was created after it.
        QTest::newRow("labReleaseDate") << "labReleaseDate"
                                        << "OutOfBoundsException";
        QTest::newRow("not in the box") << ""
                                        << "InvalidArgumentException";
    }

    void hideControlWithNothingBelow()
    {
        QFETCH(QString, control);
        QFETCH(QString, exception);

        winAboutBox *box = winAboutBox::instance(sampleData());
        QWidget stranger(box); // in the window, but not one of its placed controls
        QWidget *c = control.isEmpty() ? &stranger : box->content()->findChild<QWidget *>(control);
        QVERIFY(c);
        QList<QRect> before;
        for (QWidget *w : box->content()->controls())
            before << box->content()->designFrame(w);

        Toolkit::LogCapture log;
        box->HideControl(c);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.at(0).startsWith(exception
                                            + QStringLiteral(" in winAboutBox.HideControl\n\n"
                                                             "WINDOW: winAboutBox\nMETHOD: HideControl\n")),
                 qPrintable(m_reports.at(0)));
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - winAboutBox.HideControl")});

        // Nothing was changed.
        if (c != &stranger)
            QVERIFY(c->isVisibleTo(box));
        QList<QRect> after;
        for (QWidget *w : box->content()->controls())
            after << box->content()->designFrame(w);
        QCOMPARE(after, before);
        QCOMPARE(box->Height(), 400);
    }
};

VANTREL_TEST_MAIN_GUI(TestAboutBox)
#include "tst_aboutbox.moc"
