#pragma once
// The tally as the program puts it together: the table, its file in the settings folder, the
// statistics window and the recorder that the table window reports its games to.
//
//   Tally tally(folder, dialogs, [](const QString& e) { reportError(e); });
//   tally.load();                          // at start; a bad file is reported, the run goes on
//   options.tally = &tally.sink();         // the table records through this
//   tally.showOver(tableWindow);           // "View Tally": loadchecklist, then the window
//   tally.save();                          // at the end of the program

#include "files/dataplace.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace zb {

class Dialogs;
class TallyModel;
class TallyRecorder;
class TallySink;
class TallyStore;
class Ttallylist;

class Tally {
public:
    using Report = std::function<void(const QString& text)>;

    // place: where zorbinettally.tld is written, and read from while it has none of its own.
    Tally(const files::DataPlace& place, Dialogs& dialogs, Report report);
    ~Tally();

    // Reads zorbinettally.tld; an unreadable file is reported and kept for the first write.
    void load();
    // Writes the file; a failure is reported (once until a write succeeds).
    bool save();

    TallySink& sink();
    Ttallylist* window() const { return window_.get(); }
    TallyModel& model() const { return *model_; }
    TallyStore& store() const { return *store_; }

    // Refills "Players In Current Game" from what the table last said.
    void loadchecklist();
    // "View Tally": loadchecklist, then the window centred on the table window.
    void showOver(QWidget* table);

private:
    Report report_;
    std::unique_ptr<TallyModel> model_;
    std::unique_ptr<TallyStore> store_;
    std::unique_ptr<TallyRecorder> recorder_;
    std::unique_ptr<Ttallylist> window_;
};

} // namespace zb
