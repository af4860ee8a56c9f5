#include "app/ErrorHandler.h"

#include "text/Translate.h"

#include <filesystem>
#include <ios>
#include <new>
#include <system_error>

namespace kl {

FailureClass classifyCurrentException() {
    try {
        throw;
    } catch (const TableListError&) {
        return FailureClass::TableList;
    } catch (const std::bad_alloc&) {
        return FailureClass::OutOfMemory;
    } catch (const std::length_error&) {
        // A container asked for more than it can hold: a memory failure in all but name.
        return FailureClass::OutOfMemory;
    } catch (const std::filesystem::filesystem_error&) {
        return FailureClass::SystemFailure;
    } catch (const std::ios_base::failure&) {
        return FailureClass::SystemFailure;
    } catch (const std::system_error&) {
        return FailureClass::SystemFailure;
    } catch (const BadDataError&) {
        return FailureClass::BadData;
    } catch (const std::invalid_argument&) {
        return FailureClass::BadData;
    } catch (...) {
        return FailureClass::Other;
    }
}

ErrorHandler::ErrorHandler(Services& services, std::function<void()> endProgram,
                           std::function<void()> onTableList)
    : services_(services), endProgram_(std::move(endProgram)), onTableList_(std::move(onTableList)) {}

bool ErrorHandler::run(const std::function<void()>& action) {
    if (ended_) return false;
    try {
        action();
        return true;
    } catch (...) {
        FailureClass failure = classifyCurrentException();
        try {
            react(failure);
        } catch (...) {
            // Reporting failed too (no memory left for a message box): end quietly.
            endAfterError();
        }
        return false;
    }
}

void ErrorHandler::react(FailureClass failure) {
    switch (failure) {
    case FailureClass::TableList:
        if (onTableList_) onTableList_();
        return;
    case FailureClass::OutOfMemory:
        services_.setBusy(false);
        services_.message(translate("ErrorHandler", "メモリー不足"),
                          translate("ErrorHandler",
                                    "メモリー不足のエラーが発生しました。     \r\n"
                                    "メモリーは最低９６ＭＢ以上搭載してお使い下さい。       "),
                          Buttons::Ok, Icon::Information);
        endAfterError();
        return;
    case FailureClass::SystemFailure:
        services_.setBusy(false);
        services_.message(translate("ErrorHandler", "システムエラー"),
                          translate("ErrorHandler",
                                    "システムに問題があるか、ネットワークが切断されています。       \r\n"
                                    "確認して下さい。     "),
                          Buttons::Ok, Icon::Information);
        endAfterError();
        return;
    case FailureClass::BadData:
        services_.setBusy(false);
        services_.message(
            translate("ErrorHandler", "不正なデータ"),
            translate("ErrorHandler",
                      "このファイルにデータがないか、取り扱い不可能なデータが存在しています。       "),
            Buttons::Ok, Icon::Information);
        return;
    case FailureClass::Other:
        services_.setBusy(false);
        services_.message(
            translate("ErrorHandler", "エラー"),
            translate("ErrorHandler", "エラーが発生しました。     \r\n発生原因を確認して下さい。    "),
            Buttons::Ok, Icon::Information);
        endAfterError();
        return;
    }
}

void ErrorHandler::endAfterError() {
    if (ended_) return;
    ended_ = true;
    services_.pause(10);
    if (endProgram_) endProgram_();
}

} // namespace kl
