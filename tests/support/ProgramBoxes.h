#pragma once

#include "Dialogs.h"

// The message boxes several suites expect, as the program shows them.
namespace ProgramBoxes {

inline const MessageBoxSpec NewAccountFound{
    "The active account does not match the accounts stored on my database, therefore it must be a new one. Do you "
    "want to add it to the database?",
    "New Account Found", MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};
inline const MessageBoxSpec NoActiveAccount{
    "There isn't any active freelancer account.\r\n--To create a new one, start freelancer and enter the server "
    "list.\r\n--Or Double click an account on the list to activate it"};
inline const MessageBoxSpec AccountAdded{"The new account has been added", "New Account", MsgButtons::OK,
                                         MsgIcon::Exclamation};
inline const MessageBoxSpec AddedActivate{"Account added successfully. Do you wish to activate the new account?",
                                          {},
                                          MsgButtons::YesNo,
                                          MsgIcon::Question,
                                          MsgAnswer::Yes};
inline const MessageBoxSpec ConfirmActivation{"Are you sure that you want to activate the selected account?",
                                              "Account Activation", MsgButtons::YesNo, MsgIcon::Question,
                                              MsgAnswer::Yes};
inline const MessageBoxSpec Danger{
    "Warning! The currently active account is not in the database. If you activate an account now, the active one "
    "will be lost. Continue?",
    "Danger!", MsgButtons::YesNo, MsgIcon::Critical, MsgAnswer::Yes};

// After an activation from the list (the add dialog's own says so with an icon).
inline const MessageBoxSpec Activated{"Account activated"};
inline const MessageBoxSpec Imported{"Accounts imported successfuly", ":)"};
// An older database converted in the application folder `folder` (as the person reads paths).
inline MessageBoxSpec Converted(const QString& folder) {
    return {"The Database has been converted from the older format to the current one.\r\nA file called "
            "Accounts.dat.old.0 was created just in case. That file is a copy of the old database. It is located on "
            "the program instalation directory at " +
            folder + "."};
}
// The game's program, as the person would look for it, is not there.
inline MessageBoxSpec GameNotFound(const QString& program) {
    return {"''" + program + "'' not found.", "File not Found", MsgButtons::OK, MsgIcon::Critical};
}
inline MessageBoxSpec DeleteAccount(const QString& code) {
    return {"Are you sure you want to delete the account " + code + "?", "Delete", MsgButtons::YesNo, MsgIcon::Question,
            MsgAnswer::No};
}

inline const MessageBoxSpec ExportScope{
    "Do you wish to export all the accounts?\r\nYes = Export all\r\nNo = Export only the selected one", "Export",
    MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};
inline const MessageBoxSpec ExportToFolder{
    "The name you entered will be used as a folder name. A file per every account will be created on that folder. "
    "The comments can't be saved. Continue?",
    "Export", MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::Yes};
inline const MessageBoxSpec ExportFolderOverwrite{
    "The destination folder Contains some files with the same name as the ones you are going to export. Overwrite?", "",
    MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};
inline const MessageBoxSpec ExportNoComments{"The comments cannot be saved using this file format. Continue?", "Export",
                                             MsgButtons::YesNo, MsgIcon::Exclamation, MsgAnswer::Yes};
inline const MessageBoxSpec Exported{"Export Successful", ":)", MsgButtons::OK, MsgIcon::Information};

}  // namespace ProgramBoxes
