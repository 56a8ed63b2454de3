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
inline const MessageBoxSpec AddedActivate{"Account added successfully. Do you wish to activate the new account?", {},
                                          MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes};
inline const MessageBoxSpec ConfirmActivation{"Are you sure that you want to activate the selected account?",
                                              "Account Activation", MsgButtons::YesNo, MsgIcon::Question,
                                              MsgAnswer::Yes};
inline const MessageBoxSpec Danger{
    "Warning! The currently active account is not in the database. If you activate an account now, the active one "
    "will be lost. Continue?",
    "Danger!", MsgButtons::YesNo, MsgIcon::Critical, MsgAnswer::Yes};

}  // namespace ProgramBoxes
