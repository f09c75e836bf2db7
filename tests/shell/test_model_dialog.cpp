#include "core/globals.h"
#include "core/tables.h"
#include "dialog_driver.h"
#include "message_recorder.h"
#include "shell/form_type.h"
#include "shell/model_choice.h"
#include "started_program.h"

#include <QComboBox>
#include <QLineEdit>

using namespace r7k;
using namespace Dialog_driver;

class Test_model_dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { program = Start_program(); }
    void cleanup() { program.reset(); }

    void choosing_a_model_sets_the_band_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("panel");
        QTest::newRow("R7K VHF") << "R7K VHF" << 136.0 << 174.0 << " 136-- 174 MHZ";
        QTest::newRow("KL7M UHF2") << "KL7M UHF2" << 244.0 << 247.0 << " 244-- 247 MHZ";
        QTest::newRow("KL7M FULL") << "KL7M FULL" << 100.0 << 601.0 << " 100-- 601 MHZ";
        QTest::newRow("R7K") << "R7K" << 136.0 << 470.0 << " 136-- 470 MHZ";
    }
    void choosing_a_model_sets_the_band()
    {
        QFETCH(QString, model);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, panel);

        QComboBox *models = open_dialog();
        const int index = models->findText(model);
        QVERIFY(index >= 0);
        models->setCurrentIndex(index);
        click(dialog(), "Command_ok");

        QCOMPARE(Freq_low, low);
        QCOMPARE(Freq_high, high);
        QCOMPARE(Model_no, qint16(index));
        QCOMPARE(program->panel_text(7), panel);
        QTRY_VERIFY(!dialog());
        QVERIFY(!Open_flags_of(Open_flag::Type));
    }

    void opens_on_the_model_in_force()
    {
        QComboBox *models = open_dialog();
        QCOMPARE(models->count(), Model_count);
        for (int m = 0; m < Model_count; ++m)
            QCOMPARE(models->itemText(m), Model_name[m]);
        QCOMPARE(models->currentIndex(), 0);
        QCOMPARE(text_of(dialog(), "Label_band"), QStringLiteral("  136 --  470"));
        QVERIFY(Open_flags_of(Open_flag::Type));

        models->setCurrentIndex(3);
        click(dialog(), "Command_ok");
        QTRY_VERIFY(!dialog());

        models = open_dialog();
        QCOMPARE(models->currentIndex(), 3);
        QCOMPARE(text_of(dialog(), "Label_band"), QStringLiteral("  244 --  247"));
    }

    void cancel_changes_nothing()
    {
        open_dialog()->setCurrentIndex(1);
        click(dialog(), "Command_cancel");
        QTRY_VERIFY(!dialog());
        QCOMPARE(Model_no, qint16(0));
        QCOMPARE(Freq_low, 136.0);
        QCOMPARE(Freq_high, 470.0);
        QCOMPARE(program->panel_text(7), QStringLiteral(" 136-- 470 MHZ"));
        QVERIFY(!Open_flags_of(Open_flag::Type));
    }

    void typing_is_discarded_and_keeps_the_model()
    {
        Select_model(5);
        QComboBox *models = open_dialog();
        QTest::keyClicks(models->lineEdit(), QStringLiteral("KL7M FULL"));
        QCOMPARE(models->currentText(), QString());
        QCOMPARE(models->currentIndex(), -1);
        QWidget *focus = dialog()->focusWidget();
        QVERIFY(focus == models || focus == models->lineEdit());

        click(dialog(), "Command_ok");
        QTRY_VERIFY(!dialog());
        QCOMPARE(Model_no, qint16(5));
        QCOMPARE(Freq_low, 450.0);
        QCOMPARE(Freq_high, 521.0);
    }

    void texts_follow_the_language_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Chinese") << true
                                 << QStringList{"机型选择", "确 定", "取 消", "机  型", "频  段"};
        QTest::newRow("English") << false
                                 << QStringList{"Model Select", "Confirm", "Cancel", "Model",
                                                "Band"};
    }
    void texts_follow_the_language()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, texts);
        trigger(*program, chinese ? "Language_chn" : "Language_eng");
        open_dialog();
        QCOMPARE(dialog()->windowTitle(), texts[0]);
        QCOMPARE(text_of(dialog(), "Command_ok"), texts[1]);
        QCOMPARE(text_of(dialog(), "Command_cancel"), texts[2]);
        QCOMPARE(text_of(dialog(), "Label_model"), texts[3]);
        QCOMPARE(text_of(dialog(), "Label_band_title"), texts[4]);
    }

    void sits_above_the_middle_of_the_main_window()
    {
        open_dialog();
        const QRect main = program->frameGeometry();
        const QWidget *box = dialog();
        QCOMPARE(box->size(), QSize(int(main.width() / 2), int(main.height() / 1.8)));
        QCOMPARE(box->x() + box->width() / 2, main.x() + main.width() / 2);
        const int twips_500 = qRound(500 * box->logicalDpiY() / 1440.0);
        QCOMPARE(box->y(), main.y() + (main.height() - box->height()) / 2 - twips_500);
    }

private:
    QWidget *dialog() const { return program->host().window(Window_id::Type); }

    QComboBox *open_dialog()
    {
        trigger(*program, "proc_type");
        auto *form = qobject_cast<Form_type *>(dialog());
        if (!form)
            qFatal("the model dialog did not open");
        return control<QComboBox>(form, "Combo_type");
    }

    Message_recorder messages;
    std::unique_ptr<Main_window> program;
};

QTEST_MAIN(Test_model_dialog)
#include "test_model_dialog.moc"
