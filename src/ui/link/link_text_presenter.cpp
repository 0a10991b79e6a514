#include "ui/link/link_text_presenter.h"

namespace mmx {

int LinkTextPresenter::statusIndex(LinkStatus status) {
    switch (status) {
        case LinkStatus::NotConnected: return UiTextTable::ComPortNotConnected;
        case LinkStatus::UploadSucceeded: return UiTextTable::UploadSucceeded;
        case LinkStatus::UploadFailed: return UiTextTable::UploadFailed;
        case LinkStatus::ReadingFailed: return UiTextTable::ReadingFailed;
        case LinkStatus::Checking: return UiTextTable::CheckingData;
        case LinkStatus::CheckFailed: return UiTextTable::CheckingFailed;
        case LinkStatus::Erasing: return UiTextTable::Erasing;
        case LinkStatus::EraseSucceeded: return UiTextTable::EraseSucceeded;
        case LinkStatus::EraseFailed: return UiTextTable::EraseFailed;
        case LinkStatus::ConfigurationSucceeded: return UiTextTable::ConfigUploadSucceeded;
        case LinkStatus::ConfigurationFailed: return UiTextTable::ConfigUploadFailed;
    }
    return UiTextTable::UploadFailed;
}

int LinkTextPresenter::messageBoxIndex(LinkAlert alert) {
    switch (alert) {
        case LinkAlert::PortBusy: return UiTextTable::BusyUploading;
        case LinkAlert::PortCannotOpen: return UiTextTable::PortCannotOpen;
        case LinkAlert::MessageFileMissing: return UiTextTable::MessagePathIncorrect;
        case LinkAlert::OverCapacity: return UiTextTable::ExceedsCapacity;
    }
    return UiTextTable::PortCannotOpen;
}

void LinkTextPresenter::status(LinkStatus status) { display_.setStatusPanel(texts_.statusMessage(statusIndex(status))); }

void LinkTextPresenter::sendingMessage(int, const std::string& name) {
    display_.setStatusPanel(texts_.statusLine(name + " " + trimBlanks(texts_.status(UiTextTable::FileUploading))));
}

void LinkTextPresenter::portOpened(int commport, const std::string& settingsText) {
    display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " COM" + std::to_string(commport) + " / " + settingsText);
}

void LinkTextPresenter::portOpenFailed(int commport) {
    display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " COM" + std::to_string(commport) + " can not be open!");
}

void LinkTextPresenter::portClosed() { display_.setPortPanel(texts_.status(UiTextTable::PortPrefix) + " "); }

void LinkTextPresenter::connectionTime(int64_t elapsedMs) { display_.setTimePanel(connectionClockText(elapsedMs)); }

void LinkTextPresenter::progressVisible(bool visible, long maximum) {
    display_.showProgressBar(visible);
    if (visible) display_.setProgressValue(0, maximum);
}

void LinkTextPresenter::progressTick(const UploadProgress& figures) {
    display_.setProgressCaption(progressCaption(figures, texts_.status(UiTextTable::RemainingTime)));
}

void LinkTextPresenter::alert(LinkAlert alert) { display_.alert(texts_.messageBox(messageBoxIndex(alert))); }

}  // namespace mmx
