#pragma once
// The size a record file's own header declares, so that a file cut short by a copy, a full disk
// or a lost write is reported as cut short instead of as a mere damage.

#include <QString>

#include <cstdint>

namespace vellum::store {

class FileHeader {
public:
    static FileHeader read(const QString &path);

    // Bytes the header declares; 0 when the header declares none the engine would trust.
    std::int64_t declaredSize() const { return m_declaredSize; }
    std::int64_t actualSize() const { return m_actualSize; }
    bool truncated() const { return m_declaredSize > m_actualSize; }
    // "the file is shorter than its header says (N of M bytes)"; empty when it is not.
    QString truncationText() const;

private:
    std::int64_t m_declaredSize = 0;
    std::int64_t m_actualSize = 0;
};

} // namespace vellum::store
