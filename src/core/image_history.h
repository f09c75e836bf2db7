#pragma once

#include "core/bilingual.h"
#include "core/globals.h"
#include "core/image.h"

#include <QList>
#include <QObject>

namespace r7k {

// Undo and redo for the data image. A step is what one action of the user
// changed: the rows it changed, as they were before and after. Undoing a step
// puts its rows back as they were before, redoing it as they were after;
// rows that the step did not change are left alone, so a change made outside
// any step (the power levels adjusted live) is never taken back by an undo.
// Where the image came from goes back and forth with the steps too, when the
// history is given it.
class Image_history : public QObject {
    Q_OBJECT
public:
    explicit Image_history(Data_image &of_image, Image_source *of_source = nullptr);

    // One step runs from begin() to end(); a step begun while another is open
    // belongs to the open one, and the outermost one names it ("Paste"). A
    // step that leaves the image and its source as it found them is not
    // recorded; recording one forgets whatever had been undone.
    void begin(const Bilingual &name = {});
    void end();

    bool can_undo() const { return !done.isEmpty(); }
    bool can_redo() const { return !undone.isEmpty(); }
    // The names of the steps that undo and redo would take.
    Bilingual undo_name() const { return done.isEmpty() ? Bilingual() : done.last().name; }
    Bilingual redo_name() const { return undone.isEmpty() ? Bilingual() : undone.last().name; }
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
    struct Step {
        QList<Row_change> rows;
        Bilingual name;
        Image_source source_before;
        Image_source source_after;
    };

    Row row_of(const Data_image &from, int row) const;
    void put_row(int row, const Row &cells);
    void put_source(const Image_source &value);

    Data_image &image;
    Image_source *source;
    Data_image at_begin;
    Image_source source_at_begin;
    Bilingual name_at_begin;
    int depth = 0;
    QList<Step> done;
    QList<Step> undone;
};

// One step of a history, from construction to destruction, named for the
// Undo and Redo captions.
class Image_step {
public:
    explicit Image_step(Image_history &of_history, const Bilingual &name = {}) : history(of_history)
    {
        history.begin(name);
    }
    ~Image_step() { history.end(); }
    Q_DISABLE_COPY_MOVE(Image_step)

private:
    Image_history &history;
};

} // namespace r7k
