#pragma once
// The phrase buttons' cool-down: after a phrase the buttons stay silent for 101 ticks of the
// table's dispatch timer. It counts ticks, not time, so its length follows the real tick rate.

namespace zb {

class PhraseCooldown {
public:
    // Ticks counted are compared with this; the buttons open again on the tick that passes it.
    static constexpr int kLimit = 100;

    bool phraseready() const { return phraseready_; }
    int phraseticks() const { return phraseticks_; }
    bool coolingDown() const { return !phraseready_; }

    // A phrase went out.
    void start() { phraseready_ = false; }

    // One tick of the dispatch timer, after its message.
    void tick() {
        if (!phraseready_)
            ++phraseticks_;
        if (phraseticks_ > kLimit) {
            phraseready_ = true;
            phraseticks_ = 0;
        }
    }

private:
    bool phraseready_ = true;
    int phraseticks_ = 0;
};

} // namespace zb
