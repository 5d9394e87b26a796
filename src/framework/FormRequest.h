#pragma once
// What a caller asks of a record form, and what the form answers when it closes.

namespace vellum {

enum FormRequest : int {
    NoRequest = 0,
    InsertRequest = 1,
    ChangeRequest = 2,
    DeleteRequest = 3,
    SelectRequest = 4,
};

enum FormResponse : int {
    RequestCompleted = 1,
    RequestCancelled = 2,
};

} // namespace vellum
