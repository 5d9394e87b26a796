// libFuzzer target: any bytes, line by line, through the CSV line reader and the client import's
// mapping of a line. A line that reads must write back into the same fields.

#include "framework/CsvLine.h"
#include "reference/ClientImportLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace vellum;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (const std::optional<QStringList> fields = CsvLine::fields(line)) {
            QStringList quoted;
            for (const QString &field : *fields)
                quoted << CsvLine::quoted(field);
            if (CsvLine::fields(quoted.join(u',')) != fields)
                std::abort();
        }
        const std::optional<ClientImportLine> client = ClientImportLine::read(line);
        if (client && (client->fullName.isEmpty() || client->fullName.size() > 50 || client->Remarks.size() > 255))
            std::abort();
    }
    return 0;
}
