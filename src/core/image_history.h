#pragma once

#include "core/image.h"

#include <QList>
#include <QObject>

namespace r7k {

// Undo and redo for the data image. A step is what one action of the user
// changed: the rows it changed, as they were before and after. Undoing a step
// puts its rows back as they were before, redoing it as they were after;
// rows that the step did not change are left alone, so a change made outside
// any step (the power levels adjusted live) is never taken back by an undo.
class Image_history : public QObject {
    Q_OBJECT
public:
    explicit Image_history(Data_image &of_image);

    // One step runs from begin() to end(); a step begun while another is open
    // belongs to the open one. A step that leaves the image as it found it is
    // not recorded; recording one forgets whatever had been undone.
    void begin();
    void end();

    bool can_undo() const { return !done.isEmpty(); }
    bool can_redo() const { return !undone.isEmpty(); }
    void undo();
    void redo();

    // Forgets every step: the history of a new run.
    void clear();

Q_SIGNALS:
    // A step was recorded, undone or redone, or the history was cleared.
    void changed();

private:
    using Row = std::array<qint16, Data_image::columns>;
    struct Row_change {
        int row;
        Row before;
        Row after;
    };
    using Step = QList<Row_change>;

    Row row_of(const Data_image &from, int row) const;
    void put_row(int row, const Row &cells);

    Data_image &image;
    Data_image at_begin;
    int depth = 0;
    QList<Step> done;
    QList<Step> undone;
};

// The history of the program's image, chann.
Image_history &History();

// One step of the program's history, from construction to destruction.
class Image_step {
public:
    Image_step() { History().begin(); }
    ~Image_step() { History().end(); }
    Q_DISABLE_COPY_MOVE(Image_step)
};

} // namespace r7k
