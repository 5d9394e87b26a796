#pragma once
// A process over one record file: the records come through a key order, its range and a filter
// in batches, each record in turn put into the file's buffer and handed to the process's user
// (an export, an import, a report). A progress window drives it, one runEvent() per timer event;
// the batch sizes follow BatchSizer. The process ends with RequestCompleted when at least one
// record was handled, else with RequestCancelled: after Cancel, a failure to read the file or
// to handle a record, or when no record was found (error 22).

#include "BatchSizer.h"
#include "FormRequest.h"
#include "store/KeyWalk.h"
#include "store/Value.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vellum {

class Clock;
class RecordFile;

class ProgressProcess {
public:
    // Handles the record in the file's buffer; false stops the process (the handler has told the
    // user why).
    using Handler = std::function<bool(RecordFile &file)>;
    // A test on the record in the buffer that the store's filter cannot make (exact comparisons).
    using Selection = std::function<bool(const RecordFile &file)>;

    ProgressProcess(RecordFile &file, const Clock &clock);

    void setOrder(int key, std::vector<store::Value> range = {});
    void setFilter(std::vector<store::Condition> filter);
    void setSelection(Selection selection);
    void setHandler(Handler handler);
    void setWithMemos(bool withMemos);
    // Order, range, filter and fields of a walk in one (the process pages forward from its start);
    // a walk that reads only some fields must read the order's key fields.
    void setWalk(store::WalkRequest walk);
    // Reports tell an empty selection in their own words: no error 22 then.
    void setNoRecordsMessage(bool show);

    // Opens the file and counts its records; false when it could not (RequestCancelled).
    bool start();
    // One timer event's batches. Returns true while there is more to do.
    bool runEvent();
    // Ends at once; what was handled stays handled.
    void cancel();
    // start() and every event to the end, without a window (the admin command, benchmarks).
    FormResponse runToEnd();

    bool finished() const { return m_finished; }
    // Every record of the range was read, whether or not any was found: the process was neither
    // cancelled nor failed (an export of an empty file is done, one ended by Cancel is not).
    bool reachedEnd() const { return m_reachedEnd; }
    FormResponse response() const { return m_response; }
    std::int64_t handled() const { return m_handled; }
    std::int64_t read() const { return m_read; }
    // The share of the file's records read so far, 0 to 100.
    int percentDone() const;
    int batchSize() const { return m_sizer.size(); }
    // The size of every batch run so far, in order.
    const std::vector<int> &batchSizes() const { return m_batchSizes; }

private:
    enum class Batch { More, End, Failed };
    static constexpr int ReadPage = 256; // rows read from the file at a time

    std::int64_t hundredthsNow() const;
    Batch runBatch(int size);
    Batch runPage(int rowCount);
    Batch handle(const store::StoredRow &row);
    void finish(FormResponse response);
    void finishAtEnd();
    store::KeyPosition positionOf(const store::StoredRow &row) const;

    RecordFile &m_file;
    const Clock &m_clock;
    store::WalkRequest m_request;
    Selection m_selection;
    Handler m_handler;
    bool m_noRecordsMessage = true;
    BatchSizer m_sizer;
    std::vector<int> m_batchSizes;
    std::int64_t m_total = 0;
    std::int64_t m_read = 0;
    std::int64_t m_handled = 0;
    bool m_started = false;
    bool m_openedHere = false;
    bool m_finished = false;
    bool m_reachedEnd = false;
    FormResponse m_response = RequestCancelled;
};

} // namespace vellum
