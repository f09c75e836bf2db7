// Undo and redo over an image of its own: what a step records, and what
// undoing and redoing it put back.
#include "core/image.h"
#include "core/image_history.h"

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

        step(5, 4, 0x11); // changes nothing, so it is no step
        QVERIFY(!history.can_undo());
        step(6, 4, 0x33);
        image(Power_row, 0) = 77; // adjusted live, outside a step: undo keeps it
        history.undo();
        QCOMPARE(std::pair(image(6, 4), image(Power_row, 0)), std::pair(qint16(255), qint16(77)));
        step(7, 4, 0x44); // a new step forgets the undone one
        QVERIFY(!history.can_redo());
    }
};

QTEST_GUILESS_MAIN(Test_image_history)
#include "test_image_history.moc"
