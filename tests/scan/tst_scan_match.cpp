// The lexer and the matcher on one method's body inside a small class: comments, strings,
// continuation, guards, declarations, receivers and the confidence each use gets.
#include "common/TestMain.h"

#include "ScanTestSupport.h"

namespace {

// A class item around the body; the project also declares a method Mid of its own.
QByteArray classItem(const QString &super, const QString &body)
{
    QString text = QStringLiteral("#tag Class\nProtected Class Sample\nInherits %1\n"
                                  "\t#tag Method, Flags = &h0\n\t\tSub Test(p As RecordSet)\n")
                       .arg(super);
    for (const QString &line : body.split(u'\n'))
        text += QStringLiteral("\t\t  ") + line + u'\n';
    text += QStringLiteral("\t\tEnd Sub\n\t#tag EndMethod\n"
                           "\t#tag Method, Flags = &h0\n\t\tFunction Mid(s As String, i As Integer) As String\n"
                           "\t\t  Return s\n\t\tEnd Function\n\t#tag EndMethod\n"
                           "\t#tag Property, Flags = &h0\n\t\tProp As RecordSet\n\t#tag EndProperty\n"
                           "End Class\n#tag EndClass\n");
    return text.toUtf8();
}

// Findings of the body as "Element@bodyLine:bodyColumn confidence[ guarded]".
QStringList scanBody(const QString &super, const QString &body)
{
    Scan::Project project;
    Scan::Item item;
    item.file = QStringLiteral("Sample.xojo_code");
    item.data = classItem(super, body);
    QString why;
    if (!Scan::ParseTextItem(item, &why))
        return {why};
    project.items.append(std::move(item));
    const Scan::ScanResult result = Scan::ScanProject(project, ScanTest::catalogue());
    QStringList out;
    for (const Scan::Finding &f : result.findings) {
        if (f.member != u"Test" || f.memberLine < 2)
            continue;
        out.append(QStringLiteral("%1@%2:%3 %4%5")
                       .arg(f.row->name)
                       .arg(f.memberLine - 1)
                       .arg(f.column - 4)
                       .arg(Scan::ConfidenceWord(f.confidence), f.guarded ? QStringLiteral(" guarded") : QString()));
    }
    return out;
}

} // namespace

class TestScanMatch : public QObject
{
    Q_OBJECT

private slots:
    void body_data()
    {
        QTest::addColumn<QString>("super");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("expected");
        const QString object = QStringLiteral("Object");
        const QString listBox = QStringLiteral("ListBox");

        // Receivers whose class is known.
        QTest::newRow("Me in a ListBox subclass")
            << listBox << "Me.Cell(0, 0) = \"x\"" << QStringList{"ListBox.Cell@1:4 high"};
        QTest::newRow("letter case ignored")
            << listBox << "me.cell(0, 0) = \"x\"" << QStringList{"ListBox.Cell@1:4 high"};
        QTest::newRow("own member without Me")
            << listBox << "Cell(0, 1) = \"y\"" << QStringList{"ListBox.Cell@1:1 high"};
        QTest::newRow("framework superclass member")
            << listBox << "Me.HelpTag = \"tip\"" << QStringList{"RectControl.HelpTag@1:4 high"};
        QTest::newRow("local Dim") << object << "Dim rs As RecordSet\nIf rs.EOF Then Return"
                                   << QStringList{"RecordSet@1:11 high", "RecordSet.EOF@2:7 high"};
        QTest::newRow("var as a variable name") << object << "Dim var As RecordSet\nvar.MoveNext\nvar = Nil"
                                                << QStringList{"RecordSet@1:12 high", "RecordSet.MoveNext@2:5 high"};
        QTest::newRow("Var as the keyword") << object << "Var rs As New RecordSet\nrs.MoveNext"
                                            << QStringList{"RecordSet@1:15 high", "RecordSet.MoveNext@2:4 high"};
        QTest::newRow("parameter") << object << "p.MoveNext" << QStringList{"RecordSet.MoveNext@1:3 high"};
        QTest::newRow("property") << object << "Prop.MoveNext" << QStringList{"RecordSet.MoveNext@1:6 high"};
        QTest::newRow("Dim a, b As T") << object << "Dim a, b As RecordSet\nb.MoveNext"
                                       << QStringList{"RecordSet@1:13 high", "RecordSet.MoveNext@2:3 high"};
        QTest::newRow("string method") << object << "Dim s As String\ns = s.Mid(2, 1)"
                                       << QStringList{"String.Mid@2:7 high"};
        QTest::newRow("array Ubound and UBound()")
            << object << "Dim a() As Integer\nDim n As Integer = a.Ubound + UBound(a)"
            << QStringList{"Array.Ubound@2:22 high", "UBound@2:31 high"};
        QTest::newRow("framework superclass of a local")
            << object << "Dim db As SQLiteDatabase\nDim rs As RecordSet = db.SQLSelect(\"x\")"
            << QStringList{"RecordSet@2:11 high", "Database.SQLSelect@2:26 high"};
        QTest::newRow("current class: no finding")
            << object << "Dim d As DateTime\nDim n As Double = d.TotalSeconds" << QStringList{};
        QTest::newRow("receiver named by a cast")
            << object << "ListBox(Prop).Cell(0, 0) = \"\"\nFoo(Prop).Cell(0, 0) = \"\""
            << QStringList{"ListBox@1:1 high", "ListBox.Cell@1:15 high", "ListBox.Cell@2:11 low"};
        QTest::newRow("fully qualified") << object << "x = Xojo.Core.Timer.Action"
                                         << QStringList{"Xojo.Core.Timer.Action@1:21 high"};

        // Type positions.
        QTest::newRow("As New, IsA and a cast")
            << object << "Dim d As New Date\nIf Prop IsA RecordSet Then d = Nil\nDim r As RecordSet = RecordSet(Prop)"
            << QStringList{"Date@1:14 high", "RecordSet@2:13 high", "RecordSet@3:10 high", "RecordSet@3:22 high"};
        QTest::newRow("removed element") << object << "Dim o As OldThing" << QStringList{"OldThing@1:10 high"};

        // Global functions.
        QTest::newRow("call") << object << "Dim n As Integer = InStr(s, \"a\")" << QStringList{"InStr@1:20 high"};
        QTest::newRow("command without parentheses")
            << object << "MsgBox \"Hi\"\nMsgBox(\"Hi\")" << QStringList{"MsgBox@1:1 high", "MsgBox@2:1 high"};
        QTest::newRow("shadowed by the project's own Mid") << object << "s = Mid(s, 1)" << QStringList{};
        QTest::newRow("shadowed by a local") << object << "Dim InStr As Integer\nInStr = 2" << QStringList{};
        QTest::newRow("a call needs its parenthesis") << object << "Dim n As Integer = x.InStr" << QStringList{};

        // Comments and strings.
        QTest::newRow("apostrophe inside a string")
            << object << "s = \"l'utilisateur\" + InStr(s, \"'\")" << QStringList{"InStr@1:23 high"};
        QTest::newRow("doubled quotes") << object << "s = \"say \"\"InStr(x)\"\" now\" + InStr(s, \"a\")"
                                        << QStringList{"InStr@1:30 high"};
        QTest::newRow("three comment forms") << object
                                             << "' InStr(a, b)\n// InStr(a, b)\nRem InStr(a, b)\nrem Dim d As Date\nx "
                                                "= 1 ' InStr(a, b)\nx = 2 // InStr(a, b)"
                                             << QStringList{};
        QTest::newRow("continuation reported at the original place")
            << object << "Dim n As Integer = _\n  InStr(s, \"a\") + _\n  InStr(s, \"b\")"
            << QStringList{"InStr@2:3 high", "InStr@3:3 high"};
        QTest::newRow("continuation joins a member use")
            << object << "p _\n  .MoveNext" << QStringList{"RecordSet.MoveNext@2:4 high"};

        // Guards.
        QTest::newRow("XojoVersion guard, both branches")
            << object
            << "#If XojoVersion < 2019.02 Then\nx = InStr(a, b)\n#Else\nx = InStr(c, d)\n#EndIf\nx = InStr(e, f)"
            << QStringList{"InStr@2:5 high guarded", "InStr@4:5 high guarded", "InStr@6:5 high"};
        QTest::newRow("nested under a Target guard")
            << object << "#if TargetWindows\n#If DebugBuild Then\nx = InStr(a, b)\n#EndIf\n#endif\nx = InStr(a, b)"
            << QStringList{"InStr@3:5 high guarded", "InStr@6:5 high"};
        QTest::newRow("other conditions are no guard")
            << object << "#If DebugBuild Then\nx = InStr(a, b)\n#EndIf" << QStringList{"InStr@2:5 high"};

        // Receivers not known.
        QTest::newRow("one withdrawn class: medium")
            << object << "n = x.RecordCount" << QStringList{"RecordSet.RecordCount@1:7 medium"};
        QTest::newRow("an array's member alone: low") << object << "x.AddRow(\"a\")\nDim a() As String\na.AddRow(\"b\")"
                                                      << QStringList{"Array.AddRow@1:3 low", "Array.AddRow@3:3 high"};
        QTest::newRow("ambiguous name: low") << object << "x.MoveNext\nx.Cell(0, 0) = \"\""
                                             << QStringList{"RecordSet.MoveNext@1:3 low", "ListBox.Cell@2:3 low"};
        QTest::newRow("replacement keeps the name: low")
            << object << "s = x.Field(\"a\").StringValue"
            << QStringList{"RecordSet.Field@1:7 low", "DatabaseField.StringValue@1:18 low"};
    }

    void body()
    {
        QFETCH(QString, super);
        QFETCH(QString, body);
        QFETCH(QStringList, expected);
        QCOMPARE(scanBody(super, body), expected);
    }

    // Whole fixture projects, every finding with its place and confidence (low included).
    void projects_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("notes");
        // The Timer's Action handler, the menu handler's Handles clause, the Begin blocks'
        // properties, commented-out code and the obsolete copies beside the manifest give nothing.
        QTest::newRow("2019 desktop project")
            << "desktop2019"
            << QStringList{"../shared/Helpers.xojo_code:5:18 Date high",
                           "App.xojo_code:3:10 Application high",
                           "App.xojo_code:6:5 MsgBox high",
                           "MainMenuBar.xojo_menu:3:10 MenuItem high",
                           "MainMenuBar.xojo_menu:6:13 MenuItem high",
                           "MainWindow.xojo_window:2:7 Window high",
                           "MainWindow.xojo_window:5:10 ListBox high",
                           "MainWindow.xojo_window:10:10 PushButton high",
                           "MainWindow.xojo_window:24:15 RecordSet high",
                           "MainWindow.xojo_window:25:18 RecordSet.EOF high",
                           "MainWindow.xojo_window:26:28 RecordSet.Field high",
                           "MainWindow.xojo_window:26:42 DatabaseField.StringValue low",
                           "MainWindow.xojo_window:27:10 RecordSet.MoveNext high",
                           "MainWindow.xojo_window:34:16 PushButton.Push high",
                           "MainWindow.xojo_window:45:24 InStr high",
                           "MainWindow.xojo_window:46:27 ListBox.Cell high",
                           "OrderList.xojo_code:3:10 ListBox high",
                           "OrderList.xojo_code:6:8 ListBox.HasHeading high",
                           "OrderList.xojo_code:12:8 ListBox.Cell high",
                           "OrderList.xojo_code:13:5 ListBox.Cell high",
                           "OrderList.xojo_code:13:22 String.Mid high",
                           "OrderList.xojo_code:23:14 RecordSet high",
                           "code/ordersdb.xojo_code:4:22 RecordSet high",
                           "code/ordersdb.xojo_code:6:16 RecordSet high",
                           "code/ordersdb.xojo_code:6:31 Database.SQLSelect high",
                           "code/ordersdb.xojo_code:7:12 RecordSet.RecordCount high",
                           "code/ordersdb.xojo_code:8:28 UBound high",
                           "code/ordersdb.xojo_code:9:7 Len high",
                           "code/ordersdb.xojo_code:11:28 InStr high guarded",
                           "code/ordersdb.xojo_code:29:7 RecordSet.MoveNext low"}
            << QStringList{"Window: event Open: use DesktopWindow.Opening",
                           // CellClick is OrderList's own event (a hook): no note.
                           "ListBox: through the project's class OrderList",
                           "ListBox: event Change: use DesktopListBox.SelectionChanged",
                           "PushButton: event Action: use DesktopButton.Pressed"};
        QTest::newRow("2021r3 desktop project")
            << "desktop2021"
            << QStringList{"MainWindow.xojo_window:22:44 DatabaseField.StringValue low",
                           "MainWindow.xojo_window:41:11 Mid high guarded"}
            << QStringList{};
        QTest::newRow("Real Studio project")
            << "realstudio"
            << QStringList{"Classes/App.rbbas:3:10 Application high",       "Classes/Util.rbbas:5:40 RBVersion high",
                           "Classes/Util.rbbas:10:19 REALSQLDatabase high", "Windows/Window1.rbfrm:2:7 Window high",
                           "Windows/Window1.rbfrm:3:10 TextField high",     "Windows/Window1.rbfrm:15:24 Len high"}
            << QStringList{"TextField: event TextChange: use DesktopTextField.TextChanged"};
        QTest::newRow("XML project") << "xml" << QStringList{"Orders.xojo_xml_project:13:35 RecordSet high",
                                                             "Orders.xojo_xml_project:15:35 InStr high",
                                                             "Orders.xojo_xml_project:22:14 Window high",
                                                             "Orders.xojo_xml_project:25:17 ListBox high",
                                                             "Orders.xojo_xml_project:32:21 ListBox.Cell high",
                                                             "Orders.xojo_xml_project:32:34 Mid high",
                                                             "Orders.xojo_xml_project:43:20 ListBox.Cell high"}
                                     << QStringList{"Window: event Open: use DesktopWindow.Opening",
                                                    "ListBox: event CellClick: use DesktopListBox.CellPressed"};
    }

    void projects()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, notes);
        const Scan::Project project = Scan::ReadProject({ScanTest::dataDir() + u'/' + path});
        const Scan::ScanResult result = Scan::ScanProject(project, ScanTest::catalogue());
        QVERIFY(result.errors.isEmpty());
        QCOMPARE(ScanTest::describeAll(result.findings), expected);
        QStringList actualNotes;
        for (const Scan::Finding &f : result.findings)
            for (const QString &n : f.notes)
                actualNotes.append(f.row->name + QStringLiteral(": ") + n);
        QCOMPARE(actualNotes, notes);
    }

    // A cycle of Inherits is an error of the project, and resolving members through it ends.
    void inheritsCycle()
    {
        Scan::Project project;
        for (const auto &[name, super] : {std::pair{"A", "B"}, std::pair{"B", "C"}, std::pair{"C", "A"}}) {
            Scan::Item item;
            item.file = QLatin1String(name) + QStringLiteral(".xojo_code");
            item.data =
                QStringLiteral("#tag Class\nClass %1\nInherits %2\n\t#tag Method, Flags = &h0\n\t\tSub M()\n"
                               "\t\t  Me.Cell(0, 0) = \"\"\n\t\t  Cell(0, 0) = \"\"\n\t\tEnd Sub\n\t#tag EndMethod\n"
                               "End Class\n#tag EndClass\n")
                    .arg(QLatin1String(name), QLatin1String(super))
                    .toUtf8();
            QVERIFY(Scan::ParseTextItem(item, nullptr));
            project.items.append(std::move(item));
        }
        const Scan::ScanResult result = Scan::ScanProject(project, ScanTest::catalogue());
        QCOMPARE(result.errors.size(), 1);
        QVERIFY2(result.errors.first().contains(QStringLiteral("cycle: A -> B -> C")),
                 qPrintable(result.errors.first()));
        QCOMPARE(ScanTest::describeAll(result.findings), QStringList{});
    }

    // Each line of a 2,000-line method is lexed once: a long method ends quickly and whole.
    void longMethod()
    {
        QStringList lines;
        for (int i = 0; i < 2000; ++i)
            lines.append(QStringLiteral("x = InStr(s, \"%1\") ' InStr").arg(i));
        QCOMPARE(scanBody(QStringLiteral("Object"), lines.join(u'\n')).size(), 2000);
    }
};

VANTREL_TEST_MAIN_CORE(TestScanMatch)
#include "tst_scan_match.moc"
