#include "app/setup_files.h"

#include "storage/setup_codec.h"

namespace mmx::app {

OpenedSetup openSetup(const std::string& path) {
    OpenedSetup opened;
    opened.setup = readSetupFile(path, &opened.outcome);
    return opened;
}

FileOutcome saveSetup(const std::string& path, const Setup& setup) { return writeSetupFile(path, setup); }

bool CheckReport::passed() const {
    for (const SlotCheck& slot : slots) {
        if (!slot.check.accepted) return false;
    }
    return fits() && !emptySlotEntry;
}

CheckReport checkSetup(const Setup& setup) {
    CheckReport report;
    report.emptySlotEntry = firstEntryNamingEmptySlot(setup);
    for (int k = 1; k <= unit::kSlots; ++k) {
        const Slot& slot = setup.slot(k);
        if (!slot.filled()) continue;
        SlotCheck checked;
        checked.slot = k;
        checked.check = ReadWaveHeader(slot.path);
        checked.storedWhenSaved = storedLength(slot);
        if (checked.check.accepted) {
            checked.storedNow = unit::storedLength(checked.check.info.fileLength);
            report.totalStored += checked.storedNow;
        }
        report.slots.push_back(checked);
    }
    return report;
}

FileOutcome printSetup(const std::string& path, const Setup& setup, const PrintoutCaptions& captions) {
    return writePrintout(path, setup, captions);
}

LoadedImage buildUnitImage(const Setup& setup) { return loadUnitImage(setup); }

}  // namespace mmx::app
