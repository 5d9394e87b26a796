#pragma once
// The application's standard messages for record access and confirmations, fixed at build time.
// Code raises a row by its id; the severity says how it is shown and what the operation returns.

#include "ErrorSeverity.h"

#include <QString>

#include <cstdint>
#include <span>

namespace vellum {

struct ErrorRow {
    std::uint16_t id;
    ErrorSeverity severity;
    QString title;
    QString text; // with placeholders such as %File and %ErrorText
};

// The 40 rows in id order; id 29 is not used.
std::span<const ErrorRow> errorTable();
// Rows of the application's own, for failures the table has no words for; shown as its rows are.
std::span<const ErrorRow> ownErrorRows();

namespace ErrorId {
constexpr int RetrievalError = 1;
constexpr int AccessDenied = 2;
constexpr int RecordAdded = 3;
constexpr int InsertError = 4;
constexpr int AddNewRecord = 5;
constexpr int ChangedByOtherStation = 6;
constexpr int ChangedByOtherStationForm = 7;
constexpr int CancelChanges = 8;
constexpr int ConfirmDelete = 9;
constexpr int CreateError = 10;
constexpr int DeleteError = 11;
constexpr int DeleteNotAllowed = 12;
constexpr int DuplicateKey = 13;
constexpr int MustBeInFile = 14;
constexpr int MustBeInList = 15;
constexpr int MustBeInRange = 16;
constexpr int MustBeLower = 17;
constexpr int MustBeHigher = 18;
constexpr int FileLoadError = 19;
constexpr int InsertNotAllowed = 20;
constexpr int TransactionFailed = 21;
constexpr int NoRecords = 22;
constexpr int OpenError = 23;
constexpr int ProcedureUndefined = 24;
constexpr int UpdateError = 25;
constexpr int RebuildKeysFailed = 26;
constexpr int InvalidKeys = 27;
constexpr int RecordHeld = 28;
constexpr int ReferencedInCases = 30;
constexpr int RestrictedUpdate = 31;
constexpr int AutoNumberFailed = 32;
constexpr int DeleteAgain = 33;
constexpr int UpdateAgain = 34;
constexpr int SaveRecord = 35;
constexpr int BeginningOfFile = 36;
constexpr int EndOfFile = 37;
constexpr int UpdateNotAllowed = 38;
constexpr int FileNotOpened = 39;
constexpr int ViewOpenError = 40;
constexpr int UnsupportedQueryColumn = 41;
// The application's own rows.
constexpr int RecordDeleted = 101; // a change met a record that another station deleted
constexpr int KeyFieldEmpty = 102; // a unique key's text is empty; %Field names the field
} // namespace ErrorId

} // namespace vellum
