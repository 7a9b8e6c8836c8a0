#pragma once
// Opening a file as the program opens it: the start-up processing (card settlement, the
// automatic entries due, the balance watch) runs once the file is read. For the commands that
// run it (run-due, settle).

#include <string>

#include "cli/LedgerCommand.h"
#include "document/StartUpProcessing.h"

namespace sorami::cli {

// Opens the file with the start-up processing and puts its outcome in `result`; kExitOk, or
// the status after the failure was reported. New accounts a rule names are registered.
int openWithStartUp(LedgerCommand& ledger, const std::string& path, StartUpResult& result);

// Tells the shortfalls the watch found and saves what the processing changed; kExitOk or
// kExitWriteFailed.
int saveAfterStartUp(LedgerCommand& ledger, const StartUpResult& result);

}  // namespace sorami::cli
