#pragma once

#include <string>
#include <string_view>

// The words the program says of a file it could not save. UTF-8.

// What kept a file from being saved.
enum class SaveCause {
    FolderMissing,   // the folder to save in does not exist
    FolderIsAFile,   // what should be the folder is a file
    NameIsAFolder,   // a folder has the file's name
    FileReadOnly,    // the file exists and may not be written
    FolderReadOnly,  // files may not be made in the folder
    DiskFull,        // no space left on the device
    QuotaExceeded,   // the user's disk quota is used up
    FileTooLarge,    // the file would pass a size limit
    OutOfMemory,     // memory ran out while the file was made
    Other,           // anything else the system reports
};

// The title of the failure's message box: "Файл не сохранён".
extern const char kSaveFailureTitle[];

// The cause in words; `path` is the file, `folder` its folder, both as the user
// knows them, and `systemText` what the system said, added where it tells more.
//   SaveCauseText(SaveCause::FileReadOnly, "/a/b.csv", "/a", "") ->
//     "файл «/a/b.csv» защищён от записи"
//   SaveCauseText(SaveCause::Other, "/a/b.csv", "/a", "Input/output error") ->
//     "ошибка записи (система сообщает: Input/output error)"
std::string SaveCauseText(SaveCause cause, std::string_view path, std::string_view folder,
                          std::string_view systemText);

// The whole message: "Не удалось сохранить файл «/a/b.csv»: файл «/a/b.csv» защищён
// от записи.\r\nПрежний файл, если он был, не изменён; таблица по-прежнему в программе."
std::string SaveFailureMessage(std::string_view path, std::string_view causeText);

// Told when the user stopped a save: the title "Сохранение отменено" and
// "Файл «/a/b.csv» не сохранён: сохранение отменено.\r\nПрежний файл, если он
// был, не изменён; таблица по-прежнему в программе."
extern const char kSaveCancelledTitle[];
std::string SaveCancelledMessage(std::string_view path);
