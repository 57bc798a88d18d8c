#include "messages/savemessages.h"

const char kSaveFailureTitle[] = "Файл не сохранён";

namespace {

std::string Quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

std::string Bare(SaveCause cause, std::string_view path, std::string_view folder) {
    switch (cause) {
        case SaveCause::FolderMissing:
            return "папка " + Quoted(folder) + " не найдена";
        case SaveCause::FolderIsAFile:
            return Quoted(folder) + " — не папка";
        case SaveCause::NameIsAFolder:
            return "под этим именем уже есть папка";
        case SaveCause::FileReadOnly:
            return "файл " + Quoted(path) + " защищён от записи";
        case SaveCause::FolderReadOnly:
            return "нет прав на запись в папку " + Quoted(folder);
        case SaveCause::DiskFull:
            return "на диске нет места";
        case SaveCause::QuotaExceeded:
            return "исчерпана дисковая квота";
        case SaveCause::FileTooLarge:
            return "файл превысил допустимый размер";
        case SaveCause::OutOfMemory:
            return "не хватило памяти";
        case SaveCause::Other:
            break;
    }
    return "ошибка записи";
}

}  // namespace

std::string SaveCauseText(SaveCause cause, std::string_view path, std::string_view folder,
                          std::string_view systemText) {
    std::string text = Bare(cause, path, folder);
    if (cause == SaveCause::Other && !systemText.empty()) {
        text += " (система сообщает: " + std::string(systemText) + ")";
    }
    return text;
}

std::string SaveFailureMessage(std::string_view path, std::string_view causeText) {
    return "Не удалось сохранить файл " + Quoted(path) + ": " + std::string(causeText) +
           ".\r\nПрежний файл, если он был, не изменён; таблица по-прежнему в программе.";
}

const char kSaveCancelledTitle[] = "Сохранение отменено";

std::string SaveCancelledMessage(std::string_view path) {
    return "Файл " + Quoted(path) +
           " не сохранён: сохранение отменено.\r\nПрежний файл, если он был, не изменён; "
           "таблица по-прежнему в программе.";
}
