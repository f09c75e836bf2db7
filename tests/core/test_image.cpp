#include "core/globals.h"
#include "core/image.h"
#include "core/tables.h"
#include "core/tone_code.h"
#include "image_rows.h"

#include <QProcess>
#include <QTest>
#include <functional>
#include <map>

using namespace r7k;

namespace {

// Set for a child process that is to make one reading out of bounds.
const char *const Out_of_bounds_variable = "R7K_READ_OUT_OF_BOUNDS";

} // namespace

class Test_image : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { chann.clear(); }

    void start_up_fill_factory_defaults_and_fixed_rows()
    {
        Reset_image();
        for (int row = 0; row <= 143; ++row)
            if (row != Vfo_row && row != Settings_row)
                QCOMPARE(cells(row, 0, 15), QList<int>(16, 255));
        QCOMPARE(cells(Spare_name_row, 0, 15), QList<int>(16, 0));
        QCOMPARE(cells(280, 0, 15), QList<int>(16, 0));
        QCOMPARE(cells(0, 16, 32), QList<int>(17, 0));

        chann.fill(17, 128, 0, 15, 0x44);
        chann.fill(Name_row(1), Name_row(1), 0, 15, 65);
        chann.fill(Name_row(17), Name_row(17), 0, 15, 66);
        chann(Settings_row, 0) = 9;
        Load_default_image();

        QCOMPARE(cells(0, 0, 15), QList<int>(16, 255));
        QCOMPARE(cells(1, 0, 15),
                 (QList<int>{0, 80, 2, 69, 0, 80, 2, 69, 0, 0, 0, 7, 0, 255, 255, 255}));
        QCOMPARE(cells(6, 0, 15),
                 (QList<int>{0, 37, 133, 69, 0, 37, 133, 69, 56, 56, 0, 7, 3, 255, 255, 255}));
        QCOMPARE(cells(4, 8, 9), (QList<int>{120, 120}));
        QCOMPARE(cells(16, 0, 3), (QList<int>{0, 37, 49, 70}));
        QCOMPARE(cells(Name_row(1), 0, 15), QList<int>(16, 0));
        QCOMPARE(cells(17, 0, 15), QList<int>(16, 0x44));
        QCOMPARE(cells(Name_row(17), 0, 15), QList<int>(16, 66));
        QCOMPARE(chann(Settings_row, 0), qint16(9));

        // The radio id row, and the name rows.
        chann.fill(Radio_id_row, Radio_id_row, 0, 15, 7);
        Put_radio_id_row();
        QCOMPARE(cells(Radio_id_row, 0, 15), (QList<int>{90, 82, 81, 45, 52, 55, 255, 255, 255, 255,
                                                         255, 255, 255, 255, 255, 255}));
        // The power levels keep radio block 240; channel 97's name lives elsewhere.
        QCOMPARE((QList<int>{Name_row(1), Name_row(96), Name_row(98), Name_row(128), Name_row(97)}),
                 (QList<int>{144, 239, 241, 271, Spare_name_row}));
        for (int channel = 1; channel <= Channel_count; ++channel)
            QVERIFY(Name_row(channel) != Power_row);
    }

    void tone_and_model_tables()
    {
        Init_tone_table();
        QCOMPARE(Tone_ctcss_last, qint16(50));
        QCOMPARE(Tone_dcsn_last, qint16(154));
        QCOMPARE(Tone_last, qint16(258));
        const std::pair<int, const char *> shown[] = {
            {0, "   OFF      "}, {1, "   67.0    "}, {9, "   88.5    "}, {10, "  91.5    "},
            {13, "  100.0   "},  {50, "  254.1   "}, {51, "  D023N   "}, {56, "  D036N   "},
            {60, "  D053N   "},  {99, "  D266N   "}, {100, " D271N   "}, {154, " D754N   "},
            {155, "D023I"},      {164, "D053I"},     {258, "D754I"}};
        for (const auto &[index, text] : shown)
            QCOMPARE(Tone_text[index], QString::fromLatin1(text));
        QVERIFY(Tone_text[259].isEmpty());

        const std::tuple<const char *, int, int> models[] = {
            {"R7K", 136, 470},       {"R7K VHF", 136, 174},   {"KL7M UHF1", 136, 175},
            {"KL7M UHF2", 244, 247}, {"KL7M UHF3", 350, 391}, {"KL7M UHF4", 450, 521},
            {"KL7M FULL", 100, 601}};
        for (int model = 0; model < int(std::size(models)); ++model) {
            const auto &[name, low, high] = models[model];
            Model_no = qint16(model);
            Init_model_table();
            QCOMPARE(Model_name[model], QString::fromLatin1(name));
            QCOMPARE(std::tuple(Band_limit[model], Band_limit[model + Model_count]),
                     std::tuple(qint16(low), qint16(high)));
            QCOMPARE(std::tuple(Freq_low, Freq_high), std::tuple(double(low), double(high)));
        }
        Model_no = 0;
    }

    // A read outside the image, the reply buffer or the tone table stops a
    // test build at once instead of yielding a neighbouring value.
    void reads_out_of_bounds_stop_data()
    {
        QTest::addColumn<QString>("reading");
        for (const char *reading : {"image row 301", "image row -1", "image column 33",
                                    "reply column 71", "tone 259", "tone choice -1"})
            QTest::newRow(reading) << reading;
    }
    void reads_out_of_bounds_stop()
    {
        QFETCH(QString, reading);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(Out_of_bounds_variable, reading);
        // Windows gives the failed assertion to a debugger unless told otherwise.
        environment.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath());
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(child.readAllStandardError().contains("ASSERT"));
    }
};

// The child of reads_out_of_bounds_stop: makes the reading it is told to.
int read_out_of_bounds(const QString &reading)
{
    Init_tone_table();
    const std::map<QString, std::function<int()>> readings{
        {"image row 301", [] { return int(chann(301, 0)); }},
        {"image row -1", [] { return int(chann(-1, 15)); }},
        {"image column 33", [] { return int(chann(0, 33)); }},
        {"reply column 71", [] { return int(Reply_buffer()(0, 71)); }},
        {"tone 259", [] { return int(Tone_entry(259).size()); }},
        {"tone choice -1", [] { return Tone_to_store(-1).code; }},
    };
    return readings.at(reading)();
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(Out_of_bounds_variable))
        return read_out_of_bounds(qEnvironmentVariable(Out_of_bounds_variable));
    QCoreApplication app(argc, argv);
    Test_image test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_image.moc"
