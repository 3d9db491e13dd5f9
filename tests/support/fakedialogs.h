#pragma once
// A Dialogs for tests: records every box that would have been shown and keeps its callback, so a
// test can look at what the player was told and answer when it chooses.

#include "shell/dialogs.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace zbtest {

class FakeDialogs : public zb::Dialogs {
public:
    enum class Kind { Information, Question };
    struct Call {
        Kind kind;
        QString title;
        QString text;
    };

    std::vector<Call> calls;

    void information(QWidget*, const QString& title, const QString& text,
                     std::function<void()> then = {}) override {
        calls.push_back({Kind::Information, title, text});
        pending_.push_back([then = std::move(then)](bool) {
            if (then)
                then();
        });
    }

    void question(QWidget*, const QString& title, const QString& text,
                  std::function<void(bool yes)> then) override {
        calls.push_back({Kind::Question, title, text});
        pending_.push_back([then = std::move(then)](bool yes) {
            if (then)
                then(yes);
        });
    }

    // Boxes shown and not answered yet.
    std::size_t openCount() const { return pending_.size(); }

    // Closes the oldest open box: OK for an information, Yes or No for a question. Returns false
    // when no box is open.
    bool answer(bool yes = true) {
        if (pending_.empty())
            return false;
        auto then = std::move(pending_.front());
        pending_.pop_front();
        then(yes);
        return true;
    }

    QString lastText() const { return calls.empty() ? QString() : calls.back().text; }

private:
    std::deque<std::function<void(bool)>> pending_;
};

} // namespace zbtest
