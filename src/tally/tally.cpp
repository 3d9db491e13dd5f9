#include "tally/tally.h"

#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"
#include "tally/tallyrecorder.h"
#include "tally/ttallylist.h"

namespace zb {

Tally::Tally(const files::DataPlace& place, Dialogs& dialogs, Report report)
    : report_(std::move(report)), model_(std::make_unique<TallyModel>()),
      store_(std::make_unique<TallyStore>(place)),
      recorder_(std::make_unique<TallyRecorder>(*model_, *store_, report_)),
      window_(std::make_unique<Ttallylist>(*model_, dialogs)) {}

// The window goes first: it watches the model.
Tally::~Tally() {
    window_.reset();
}

void Tally::load() {
    const QString error = store_->load(*model_);
    if (!error.isEmpty() && report_)
        report_(error);
}

bool Tally::save() {
    return recorder_->save();
}

TallySink& Tally::sink() {
    return *recorder_;
}

void Tally::loadchecklist() {
    recorder_->loadchecklist();
}

void Tally::showOver(QWidget* table) {
    loadchecklist();
    window_->showOver(table);
}

} // namespace zb
