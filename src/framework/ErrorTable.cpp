#include "ErrorTable.h"

#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// Texts are kept exactly as users know them, doubled blanks and trailing blank included.
std::array<ErrorRow, 40> buildTable()
{
    using enum ErrorSeverity;
    using namespace ErrorId;
    return {{
        {RetrievalError, Notify, u"Record Retrieval Error"_s,
         u"Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."_s},
        {AccessDenied, Notify, u"Access Denied"_s, u"Could not get write access to %File so trying read-only."_s},
        {RecordAdded, Question, u"Record Added"_s,
         u"This record has been added to the file. Do you want to add another record?"_s},
        {InsertError, Notify, u"Record Insert Error"_s,
         u"An error was experienced during the creation of a record. Error: %ErrorText."_s},
        {AddNewRecord, Notify, u"Add New Record?"_s, u"Record match not found, do you wish to add a new one?"_s},
        {ChangedByOtherStation, Notify, u"Record Was Not Updated"_s, u"This record was changed by another station."_s},
        {ChangedByOtherStationForm, Notify, u"Record Was Not Updated"_s,
         u"Sorry. During your Update this record was changed by another station. Those changes will now be displayed. Please write/paste your update again, if still necessary."_s},
        {CancelChanges, Question, u"Changes will be lost!"_s, u"Are you sure you want to cancel?"_s},
        {ConfirmDelete, Question, u"Confirm Delete"_s, u"Are you sure you want to delete the highlighted record?"_s},
        {CreateError, Fatal, u"File Creation Error"_s, u"Error: (%ErrorText) creating %File."_s},
        {DeleteError, Notify, u"Record was not deleted"_s,
         u"An error (%ErrorText) was experienced when deleting a record from the %File file."_s},
        {DeleteNotAllowed, Notify, u"Invalid Request"_s, u"This form cannot be used to delete a record"_s},
        {DuplicateKey, Notify, u"Duplicate Key Error"_s,
         u"Adding this record creates a duplicate entry for the key: %Message"_s},
        {MustBeInFile, Notify, u"Field contents error"_s, u"The value of %Field must be found in the %Message file."_s},
        {MustBeInList, Notify, u"Value Error"_s, u"The value of %Field must be in the list : %Message."_s},
        {MustBeInRange, Notify, u"Range Error"_s, u"The value of %Field must be between %Message."_s},
        {MustBeLower, Notify, u"Range Error"_s, u"The value of %Field must be lower than %Message."_s},
        {MustBeHigher, Notify, u"Range Error"_s, u"The value of %Field must be higher than %Message."_s},
        {FileLoadError, Notify, u"File Load Error"_s, u"%File File Load Error.  Error: %ErrorText."_s},
        {InsertNotAllowed, Notify, u"Invalid Request"_s, u"This form cannot be used to insert a record"_s},
        {TransactionFailed, Notify, u"Transaction cancelled"_s,
         u"Error: (%ErrorText) attempting to frame the transaction on %File."_s},
        {NoRecords, Notify, u"No Records"_s, u"There are no records available to process."_s},
        {OpenError, Fatal, u"File Access Error"_s, u"File (%File) could not be opened.  Error: %ErrorText."_s},
        {ProcedureUndefined, Notify, u"Procedure not defined"_s, u"The Procedure %Message has not been defined."_s},
        {UpdateError, Notify, u"Record was not updated"_s,
         u"An error (%ErrorText) was experienced when making changes to the %File file."_s},
        {RebuildKeysFailed, Fatal, u"Key was not built"_s, u"Error: (%ErrorText) repairing key for %File."_s},
        {InvalidKeys, Notify, u"Invalid Key"_s, u"%File key file is invalid. Key must be rebuilt."_s},
        {RecordHeld, Notify, u"Record not read"_s,
         u"A record held by another station was encountered reading from the %File file."_s},
        {ReferencedInCases, Notify, u"Quor Vellum 1.2"_s,
         u"This record is referenced in the Case file. This record cannot be deleted while these references still exist ! "_s},
        {RestrictedUpdate, Notify, u"Referential Integrity Update Error"_s,
         u"This record is referenced from the file %File. Linking field(s) have been restricted from change and have been reset to original values."_s},
        {AutoNumberFailed, Question, u"Auto Increment Error"_s,
         u"Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"_s},
        {DeleteAgain, Question, u"Record Delete Error"_s,
         u"An error was experienced deleting this record. Do you want to try to delete it again?"_s},
        {UpdateAgain, Question, u"Record Update Error"_s,
         u"An error was experienced changing this record. Do you want to try to save again?"_s},
        {SaveRecord, Question, u"Save Record"_s, u"Do you want to save the changes to this record?"_s},
        {BeginningOfFile, Question, u"Beginning of File Error"_s,
         u"The beginning of the file was encountered. Do you want to start again from the end of the file?"_s},
        {EndOfFile, Question, u"End of File Error"_s,
         u"The end of the file was encountered. Do you want to start again from the beginning?"_s},
        {UpdateNotAllowed, Notify, u"Invalid Request"_s, u"This form cannot be used to update a record"_s},
        {FileNotOpened, ProgramError, u"File Usage Error"_s, u"Attempt to use file (%File) before it was opened"_s},
        {ViewOpenError, Notify, u"View Open Error"_s,
         u"Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."_s},
        {UnsupportedQueryColumn, Notify, u"Unsupported QBE Column"_s,
         u"The saved QBE column, %Field is not supported. It will be dropped from the query."_s},
    }};
}

std::array<ErrorRow, 2> buildOwnRows()
{
    using enum ErrorSeverity;
    using namespace ErrorId;
    return {{
        {RecordDeleted, Notify, u"Record Was Not Updated"_s,
         u"Sorry. This record was deleted by another station while you were changing it, so your changes cannot "
         u"be stored."_s},
        {KeyFieldEmpty, Notify, u"Field Required"_s,
         u"%Field must be filled in: the record cannot be stored without it."_s},
    }};
}

} // namespace

std::span<const ErrorRow> errorTable()
{
    static const std::array<ErrorRow, 40> table = buildTable();
    return table;
}

std::span<const ErrorRow> ownErrorRows()
{
    static const std::array<ErrorRow, 2> rows = buildOwnRows();
    return rows;
}

} // namespace vellum
