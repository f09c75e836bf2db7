// Undo and redo over an image of its own: what a step records, and what
// undoing and redoing it put back.
#include "core/image.h"
#include "core/image_history.h"

#include <QSignalSpy>
#include <QTest>

using namespace r7k;

class Test_image_history : public QObject {
    Q_OBJECT

    Data_image image;
    Image_history history{image};

    // One step of the history that sets a cell.
    void step(int row, int column, qint16 value)
    {
        history.begin();
        image(row, column) = value;
        history.end();
    }

private Q_SLOTS:
    void init()
    {
        Reset_image(image);
        history.clear();
    }

    void steps_undo_and_redo_in_order()
    {
        const Data_image start = image;
        step(5, 4, 0x11);
        const Data_image first = image;
        history.begin(); // a step inside a step belongs to it
        step(200, 0, 0x41);
        image(Vfo_row, 32) = 9;
        history.end();
        const Data_image second = image;

        // The third undo finds nothing left, and changes nothing.
        const auto undo = &Image_history::undo, redo = &Image_history::redo;
        for (const auto &[move, expected] : {std::pair{undo, &first},
                                             {undo, &start},
                                             {undo, &start},
                                             {redo, &first},
                                             {redo, &second}}) {
            (history.*move)();
            QVERIFY(image == *expected);
            QCOMPARE(std::pair(history.can_undo(), history.can_redo()),
                     std::pair(expected != &start, expected != &second));
        }
        history.undo();
        history.clear(); // forgets what could be redone too
        QVERIFY(!history.can_undo() && !history.can_redo());
        history.redo();
        QVERIFY(image == first);
    }

    void a_step_that_changes_nothing_is_not_recorded_and_a_new_one_forgets_the_undone()
    {
        QSignalSpy changed(&history, &Image_history::changed);
        step(5, 4, image(5, 4));
        QVERIFY(!history.can_undo() && changed.isEmpty());
        step(5, 4, 0x22);
        step(6, 4, 0x33);
        history.undo();
        step(7, 4, 0x44);
        QVERIFY(!history.can_redo());
        QCOMPARE(changed.size(), 4);
        history.undo();
        history.undo();
        QCOMPARE(image(5, 4), 255);
        QCOMPARE(image(6, 4), 255);
    }

    // The power levels adjusted live are no step: undoing an edit made before
    // them keeps them.
    void rows_changed_outside_a_step_are_left_alone()
    {
        step(5, 4, 0x11);
        image(Power_row, 0) = 77;
        history.undo();
        QCOMPARE(image(5, 4), 255);
        QCOMPARE(image(Power_row, 0), 77);
        history.redo();
        QCOMPARE(image(5, 4), 0x11);
    }
};

QTEST_GUILESS_MAIN(Test_image_history)
#include "test_image_history.moc"
