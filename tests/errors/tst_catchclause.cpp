#include "common/TestMain.h"

#include "errors/CatchClause.h"
#include "errors/ErrorHandling.h"
#include "errors/RuntimeExceptionExtension.h"
#include "toolkit/System.h"

class TestCatchClause : public QObject
{
    Q_OBJECT

private:
    QStringList m_reports;
    ErrorHandling::ReportOpener m_previousOpener;

private slots:
    void init()
    {
        m_reports.clear();
        m_previousOpener = ErrorHandling::setReportOpener([this](const QString &t) { m_reports.append(t); });
    }
    void cleanup() { ErrorHandling::setReportOpener(m_previousOpener); }

    void reportedForm_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("expected");

        QTest::newRow("control event")
            << int(HandlerKind::ControlEvent) << "winMain"
            << "pbHelp1"
            << "Pressed"
            << "NilObjectException in winMain.pbHelp1.Pressed\n\nWINDOW: winMain\nCONTROL: pbHelp1\n"
               "EVENT: Pressed\nTYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("window event")
            << int(HandlerKind::WindowEvent) << "winExpandFilter"
            << ""
            << "Opening"
            << "NilObjectException in winExpandFilter.Opening\n\nWINDOW: winExpandFilter\nEVENT NAME: Opening\n"
               "TYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("module method") << int(HandlerKind::ModuleMethod) << "Help"
                                       << ""
                                       << "ShowHelp"
                                       << "NilObjectException in Help.ShowHelp\n\nMODULE: Help\nMETHOD: ShowHelp\n"
                                          "TYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("window method")
            << int(HandlerKind::WindowMethod) << "winExpandFilter"
            << ""
            << "DoSearchFilter"
            << "NilObjectException in winExpandFilter.DoSearchFilter\n\nWINDOW: winExpandFilter\n"
               "METHOD: DoSearchFilter\nTYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("app method") << int(HandlerKind::AppMethod) << "App"
                                    << ""
                                    << "ShowMain"
                                    << "NilObjectException in App.ShowMain\n\nCLASS: Vantrel\nMETHOD: ShowMain\n"
                                       "TYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("menu handler") << int(HandlerKind::MenuHandler) << "App"
                                      << ""
                                      << "SampleSampleTwo"
                                      << "NilObjectException in App.SampleSampleTwo\n\nAPP:  SampleSampleTwo\n"
                                         "TYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
        QTest::newRow("custom control")
            << int(HandlerKind::CustomControlEvent) << "StaticURL"
            << ""
            << "MouseUp"
            << "NilObjectException in StaticURL.MouseUp\n\nCUSTOM CONTROL: StaticURL\nEVENT HANDLER: MouseUp\n"
               "TYPE: NilObjectException\nERROR CODE: -7\nERROR MESSAGE: boom";
    }

    void reportedForm()
    {
        QFETCH(int, kind);
        QFETCH(QString, owner);
        QFETCH(QString, control);
        QFETCH(QString, member);
        QFETCH(QString, expected);
        const QByteArray o = owner.toUtf8(), c = control.toUtf8(), m = member.toUtf8();
        const HandlerId id{o.constData(), c.constData(), m.constData(), HandlerKind(kind), ClauseForm::Reported};
        Toolkit::LogCapture log;
        const int result = Guard(id, []() -> int { throw NilObjectException(QStringLiteral("boom"), -7); });
        QCOMPARE(result, 0);
        QCOMPARE(m_reports, QStringList{expected});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - ") + CatchClause::QualifiedName(id)});
    }

    void emptyMessageEndsWithLabel()
    {
        const HandlerId id{"StringUtils", "", "Remove", HandlerKind::ModuleMethod, ClauseForm::Reported};
        Guard(id, [] { throw OutOfBoundsException(); });
        QVERIFY(m_reports.value(0).endsWith(QStringLiteral("\nERROR MESSAGE: ")));
    }

    void alertForm_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("logLine");
        QTest::newRow("module method")
            << int(HandlerKind::ModuleMethod) << "FileTools"
            << ""
            << "TextToFile"
            << "Oops! FileTools.TextToFile\nMODULE: FileTools\nMETHOD: TextToFile\nTYPE: IOException"
            << "Exception - FileTools.TextToFile";
        QTest::newRow("window method")
            << int(HandlerKind::WindowMethod) << "winHelp"
            << ""
            << "AdjustWindowSize"
            << "Oops! winHelp.AdjustWindowSize\nWINDOW: winHelp\nMETHOD: AdjustWindowSize\nTYPE: IOException"
            << "Exception - winHelp.AdjustWindowSize";
        // A control event of the alert form logs with a colon, not a dash.
        QTest::newRow("control event")
            << int(HandlerKind::ControlEvent) << "winHelp"
            << "pbDone"
            << "Pressed"
            << "Oops! winHelp.pbDone.Pressed\nWINDOW: winHelp\nCONTROL: pbDone\nEVENT: Pressed\nTYPE: IOException"
            << "Exception: winHelp.pbDone.Pressed";
        QTest::newRow("app opening") << int(HandlerKind::AppOpening) << "App"
                                     << ""
                                     << "Opening"
                                     << "Oops! App.Opening\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: IOException"
                                     << "Exception: App: Opening";
    }

    void alertForm()
    {
        QFETCH(int, kind);
        QFETCH(QString, owner);
        QFETCH(QString, control);
        QFETCH(QString, member);
        QFETCH(QString, expected);
        QFETCH(QString, logLine);
        const QByteArray o = owner.toUtf8(), c = control.toUtf8(), m = member.toUtf8();
        const HandlerId id{o.constData(), c.constData(), m.constData(), HandlerKind(kind), ClauseForm::Alert};
        Toolkit::MessageRecorder rec;
        Toolkit::LogCapture log;
        const QString result = Guard(id, []() -> QString { throw IOException(QStringLiteral("disk"), 5); });
        QCOMPARE(result, QString());
        QCOMPARE(rec.messages, QStringList{expected});
        QCOMPARE(log.lines(), QStringList{logLine});
        QVERIFY(m_reports.isEmpty());
    }

    void otherExceptionsPassThrough()
    {
        const HandlerId id{"Help", "", "IsHTML", HandlerKind::ModuleMethod, ClauseForm::Reported};
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Guard(id, [] { throw std::runtime_error("x"); }));
        QVERIFY(m_reports.isEmpty());
    }

    void unknownTypeFallsBack()
    {
        auto previous = RuntimeExceptionExtension::setTypeResolver([](const RuntimeException &) { return QString(); });
        Toolkit::MessageRecorder rec;
        const HandlerId reported{"Help", "", "IsHTML", HandlerKind::ModuleMethod, ClauseForm::Reported};
        QCOMPARE(Guard(reported, []() -> bool { throw NilObjectException(); }), false);
        const HandlerId alert{"RtrnString", "", "rsCorrectFileName", HandlerKind::ModuleMethod, ClauseForm::Alert};
        Guard(alert, [] { throw NilObjectException(); });
        RuntimeExceptionExtension::setTypeResolver(previous);
        QCOMPARE(rec.messages.value(0), QStringLiteral("HandleException Error"));
        QVERIFY(rec.messages.value(1).endsWith(QStringLiteral("\nTYPE: ")));
        QVERIFY(m_reports.isEmpty());
    }

    void typeLookupFailureIsShownWithoutRecursion()
    {
        auto previous = RuntimeExceptionExtension::setTypeResolver(
            [](const RuntimeException &) -> QString { throw std::bad_alloc(); });
        Toolkit::MessageRecorder rec;
        Toolkit::LogCapture log;
        QCOMPARE(RuntimeExceptionExtension::Type(NilObjectException()), QString());
        RuntimeExceptionExtension::setTypeResolver(previous);
        QCOMPARE(rec.messages,
                 QStringList{QStringLiteral(
                     "Oops! RuntimeExceptionExtension.Type\nMODULE: RuntimeExceptionExtension\nMETHOD: Type")});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - RuntimeExceptionExtension.Type")});
    }
};

VANTREL_TEST_MAIN_CORE(TestCatchClause)
#include "tst_catchclause.moc"
