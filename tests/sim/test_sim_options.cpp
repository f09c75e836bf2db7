// The command line of r7k-sim.

#include "sim/sim_options.h"

#include <QTest>

using namespace r7k::sim;

class Test_sim_options : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void every_option();
    void bad_arguments_data();
    void bad_arguments();
};

void Test_sim_options::defaults()
{
    const Sim_arguments parsed = Parse_sim_arguments({});
    QVERIFY(parsed.error.isEmpty());
    QVERIFY(!parsed.help);
    QCOMPARE(parsed.options.link, QStringLiteral("/tmp/r7k-radio"));
    QVERIFY(parsed.options.memory.isEmpty() && parsed.options.save_to.isEmpty());
    QVERIFY(!parsed.options.pace);
    const Faults none;
    QCOMPARE(parsed.options.faults.no_answer, none.no_answer);
    QCOMPARE(parsed.options.faults.stall_at, -1);
}

void Test_sim_options::every_option()
{
    const Sim_arguments parsed = Parse_sim_arguments(
        {"--link", "/tmp/x", "--memory", "in.chann", "--save-to", "out.chann", "--pace",
         "--no-answer", "--wrong-identity", "--short-reply-at", "3", "--noise-at", "131",
         "--stall-at", "0", "--hang-up-at", "300", "--once", "--help"});
    QVERIFY2(parsed.error.isEmpty(), qPrintable(parsed.error));
    const Sim_options &o = parsed.options;
    QVERIFY(parsed.help);
    QCOMPARE(o.link, QStringLiteral("/tmp/x"));
    QCOMPARE(o.memory, QStringLiteral("in.chann"));
    QCOMPARE(o.save_to, QStringLiteral("out.chann"));
    QVERIFY(o.pace && o.faults.no_answer && o.faults.wrong_identity && o.faults.once);
    QCOMPARE(o.faults.short_reply_at, 3);
    QCOMPARE(o.faults.noise_at, 131);
    QCOMPARE(o.faults.stall_at, 0);
    QCOMPARE(o.faults.hang_up_at, 300);
}

void Test_sim_options::bad_arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown") << QStringList{"--fast"} << "unknown option --fast";
    QTest::newRow("missing value") << QStringList{"--link"} << "--link needs a value";
    QTest::newRow("empty value") << QStringList{"--save-to", ""} << "--save-to needs a value";
    QTest::newRow("not a number") << QStringList{"--stall-at", "x"}
                                  << "--stall-at needs a block number 0..300, not \"x\"";
    QTest::newRow("beyond memory") << QStringList{"--noise-at", "301"}
                                   << "--noise-at needs a block number 0..300, not \"301\"";
    QTest::newRow("negative") << QStringList{"--hang-up-at", "-1"}
                              << "--hang-up-at needs a block number 0..300, not \"-1\"";
}

void Test_sim_options::bad_arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(Parse_sim_arguments(arguments).error, error);
}

QTEST_GUILESS_MAIN(Test_sim_options)
#include "test_sim_options.moc"
