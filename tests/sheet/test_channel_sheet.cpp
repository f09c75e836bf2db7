// The channel sheet as the user gets it: exported to PDF through the File
// menu and its file dialog, then read back with poppler's pdftotext.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "core/globals.h"
#include "core/image.h"
#include "csv/csv_export.h"
#include "dialog_driver.h"
#include "files/channel_file.h"
#include "files/channel_file_dialog.h"
#include "message_recorder.h"
#include "sheet/sheet_content.h"
#include "sheet/sheet_printer.h"
#include "started_program.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

using namespace r7k;
using namespace Dialog_driver;
using namespace Qt::StringLiterals;

namespace {

QString channel_name(int channel)
{
    return (channel % 2 ? u"频道"_s : u"CH-"_s) + QString::number(channel);
}

void program_channels(int count)
{
    for (int channel = 1; channel <= count; ++channel) {
        QVERIFY(!Enter_rx_freq(channel, QString::number(400 + channel * 0.5, 'f', 1), true));
        QVERIFY(!Store_channel_name(channel, channel_name(channel)));
    }
}

// Paints the sheet of the program's image on pages of `size` with margins of
// 15 mm into `path`; returns the number of pages.
int paint_sheet(const QString &path, const QPageSize &size)
{
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                     QPageLayout::Millimeter));
    return Paint_channel_sheet(writer, Make_channel_sheet(QDate::currentDate()));
}

#ifdef Q_OS_WIN
const char *const Pdf_not_read = "the PDF is read back with poppler's pdftotext, a Linux program";
#endif

// The text of a PDF file, pages ended by form feeds; with "-bbox", every
// word with its place on its page, as HTML.
QString pdf_text(const QString &path, const QString &form = u"-layout"_s)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {form, u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        qWarning("pdftotext (poppler-utils) did not run: %s", qPrintable(pdftotext.errorString()));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class Test_channel_sheet : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<Main_window> program;

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir::setCurrent(folder.path())); // where the export dialog opens
        program = Start_program();
    }
    void cleanup() { program.reset(); }

    void the_pdf_holds_every_programmed_channel_under_a_header_on_every_page_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<int>("pages");
        // names that the dialog's completion does not confuse
        QTest::addColumn<QString>("file");
        QTest::newRow("1 channel") << 1 << true << 1 << u"one.pdf"_s;
        QTest::newRow("40 channels") << 40 << false << 1 << u"forty.pdf"_s;
        QTest::newRow("128 channels") << 128 << true << 3 << u"all.pdf"_s;
    }
    void the_pdf_holds_every_programmed_channel_under_a_header_on_every_page()
    {
        QFETCH(int, channels);
        QFETCH(bool, chinese);
        QFETCH(int, pages);
        QFETCH(QString, file);
        Message_recorder recorder;
        program->switch_language(chinese);
        program_channels(channels);

        trigger(*program, "Export_pdf");
        auto *dialog = program->findChild<QFileDialog *>(u"Form_export_pdf"_s);
        QVERIFY(dialog && dialog->isVisible());
        auto *name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        QCOMPARE(name->text(), u"channels.pdf"_s);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, file);
        auto *buttons = dialog->findChild<QDialogButtonBox *>(u"buttonBox"_s);
        QTest::mouseClick(buttons->buttons().constFirst(), Qt::LeftButton);
        QCOMPARE(recorder.texts(), QStringList{chinese ? u"信道表已导出为 PDF 文件 ！"_s
                                                       : u"The channel sheet has been exported "
                                                         u"as a PDF file."_s});

#ifdef Q_OS_WIN
        QSKIP(Pdf_not_read);
#endif
        const QString text = pdf_text(folder.filePath(file));
        QCOMPARE(text.count(u'\f'), pages);
        const QStringList page_texts = text.split(u'\f', Qt::SkipEmptyParts);
        for (int page = 0; page < pages; ++page) {
            const QString &page_text = page_texts.value(page);
            QVERIFY2(page_text.contains(chinese ? u"R7K 系列对讲机信道表"_s
                                                : u"R7K Series Channel Sheet"_s) &&
                         page_text.contains(chinese ? u"信道名称"_s : u"RX Frequency"_s) &&
                         page_text.contains(QDate::currentDate().toString(Qt::ISODate)),
                     qPrintable(page_text));
        }
        for (int channel = 1; channel <= channels; ++channel)
            QVERIFY2(text.contains(channel_name(channel)), qPrintable(channel_name(channel)));
        QVERIFY(text.contains(chinese ? u"静噪等级: 5"_s : u"Squelch Level: 5"_s));
        QVERIFY(text.contains(chinese ? u"电池省电: 开"_s : u"Save: On"_s));
        QVERIFY(text.contains(chinese ? u"来源: 未保存"_s : u"Source: not saved"_s));
    }

    // The sheet names the file the channels came from last, a channel file or
    // a CSV file, and its PDF goes beside that file under the same name.
    void the_sheet_names_the_file_its_channels_came_from()
    {
        Message_recorder recorder;
        recorder.answer = true; // the import replaces every channel
        program_channels(2);
        const QString chann_path = folder.filePath(u"fleet.chann"_s);
        const QString csv_path = folder.filePath(u"list.csv"_s);
        QVERIFY(Channel_file::Save(chann_path, chann).ok);
        QVERIFY(File_io::Write_file(csv_path, Channel_csv::Export(chann), {}).ok);
        const auto source = [] { return Make_channel_sheet(QDate::currentDate()).facts[1].value; };
        const auto suggested = [this] {
            trigger(*program, "Export_pdf");
            auto *dialog = program->findChild<QFileDialog *>(u"Form_export_pdf"_s);
            const QString name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->text();
            const QString path = QDir(dialog->directory()).filePath(name);
            dialog->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return path;
        };
        const auto *undo = program->findChild<QAction *>(u"Edit_undo"_s);
        QCOMPARE(source(), u"未保存"_s);

        QVERIFY(Load_channel_file(chann_path, program->host().history()));
        QCOMPARE(source(), u"fleet.chann"_s);
        QCOMPARE(undo->text(), u"撤销打开"_s);
        QCOMPARE(suggested(), folder.filePath(u"fleet.pdf"_s));

        choose_file(*program, "File_import_csv", csv_path);
        QVERIFY(
            recorder.texts().last().startsWith(u"已从 CSV 文件（按 UTF-8 读取）导入 2 个信道。"_s));
        QCOMPARE(source(), u"list.csv"_s);
        QCOMPARE(undo->text(), u"撤销导入 CSV"_s);
        QCOMPARE(suggested(), folder.filePath(u"list.pdf"_s));

        // The source goes back and forth with the channels.
        trigger(*program, "Edit_undo");
        QCOMPARE(source(), u"fleet.chann"_s);
        trigger(*program, "Edit_undo");
        QCOMPARE(source(), u"未保存"_s);
        trigger(*program, "Edit_redo");
        QCOMPARE(source(), u"fleet.chann"_s);
    }

    // A page too small for even one line still gives a sheet, of a page a
    // line, and ends. The features follow the channels in two columns, the
    // first one the longer, and go to a page of their own rather than past
    // the bottom.
    void the_features_stay_on_the_page_in_two_columns()
    {
        program_channels(3);
        const int small = paint_sheet(folder.filePath(u"small.pdf"_s),
                                      QPageSize(QSizeF(60, 40), QPageSize::Millimeter));
        QVERIFY2(small >= 3 && small <= 4, qPrintable(QString::number(small)));
#ifdef Q_OS_WIN
        QSKIP(Pdf_not_read);
#endif
        const QString file = folder.filePath(u"edge.pdf"_s);
        for (int channels = 45; channels <= 47; ++channels) {
            program_channels(channels);
            const int pages = paint_sheet(file, QPageSize(QPageSize::A4));
            QCOMPARE(pdf_text(file).count(u'\f'), pages);
            static const QRegularExpression page_size(
                u"<page width=\"[\\d.]+\" height=\"([\\d.]+)\""_s),
                word_bottom(u"<word [^>]* yMax=\"([\\d.]+)\""_s);
            const QString words = pdf_text(file, u"-bbox"_s);
            const double bottom = page_size.match(words).captured(1).toDouble() - 15 / 25.4 * 72;
            for (const QRegularExpressionMatch &word : word_bottom.globalMatch(words))
                QVERIFY2(word.captured(1).toDouble() <= bottom + 0.5,
                         qPrintable(QString("%1 channels: %2").arg(channels).arg(word.captured())));
        }

        const QList<Channel_sheet::Item> features = Make_channel_sheet({}).features;
        const qsizetype left = (features.size() + 1) / 2;
        const QStringList lines = pdf_text(file).split(u'\n');
        qsizetype line = 0;
        for (qsizetype i = 0; i < left; ++i) {
            const auto text = [&](qsizetype at) {
                return features[at].label + u": "_s + features[at].value;
            };
            while (line < lines.size() && !lines[line].contains(text(i)))
                ++line;
            QVERIFY2(line < lines.size(), qPrintable(text(i)));
            if (i + left < features.size())
                QVERIFY2(lines[line].indexOf(text(i + left)) > lines[line].indexOf(text(i)),
                         qPrintable(lines[line]));
        }
    }
};

QTEST_MAIN(Test_channel_sheet)
#include "test_channel_sheet.moc"
