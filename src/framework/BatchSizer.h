#pragma once
// How many records a progress window handles at a time: as many as keep the window answering.
// Batches grow while they are quick, an event's batches stop once half the target time has
// passed, and an event that ran long makes the next one start smaller.

namespace vellum {

class BatchSizer {
public:
    static constexpr int TargetHundredths = 100;

    int size() const { return m_size; }
    // A batch that took less than four fifths of the target doubles the size.
    void batchDone(int hundredths);
    // The event's batches go on until half the target has passed.
    static bool eventGoesOn(int eventHundredths) { return 2 * eventHundredths < TargetHundredths; }
    // An event that took more than one and a half times the target halves the size (never below 1).
    void eventDone(int eventHundredths);

private:
    static constexpr int Largest = 1 << 20; // a bound that keeps doubling from overflowing

    int m_size = 1;
};

} // namespace vellum
