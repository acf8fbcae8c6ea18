#include "inventory/list_fill.h"

#include <algorithm>

#include "inventory/formatting.h"
#include "inventory/icons.h"
#include "inventory/listing.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

// Keeps the list's update bracket balanced when a row fails halfway.
class ListUpdate {
  public:
    explicit ListUpdate(ProgramListSink& sink) : sink_(sink) { sink_.beginListUpdate(); }
    ~ListUpdate() { sink_.endListUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

  private:
    ProgramListSink& sink_;
};

int appendIconOf(const std::string& iconString, ProgramListSink& sink,
                 const ListFillServices& services) {
    IconHandle icon = 0;
    try {
        GetFileIcon(services.shell, services.registry, iconString, &icon, nullptr);
    } catch (const ConversionError&) {
        // An icon index that is no number costs this row its icon, not the whole list.
        return 0;
    }
    if (icon == 0) return 0;
    // The image list holds its own copy; ours goes whatever happens.
    struct IconRelease {
        Shell& shell;
        IconHandle icon;
        ~IconRelease() { shell.destroyIcon(icon); }
    } release{services.shell, icon};
    return std::max(sink.addImage(icon), 0);
}

// Where a row's icon may come from: its DisplayIcon, else the program its usage record names.
bool mayHaveIcon(const TAppInfo& info) {
    return !info.DisplayIcon.empty() || info.UsageRecord.hasName() != 0;
}

} // namespace

int rowImageOf(const TAppInfo& info, ProgramListSink& sink, const ListFillServices& services) {
    if (!info.DisplayIcon.empty()) return appendIconOf(info.DisplayIcon, sink, services);
    if (!mayHaveIcon(info)) return 0;
    const std::string imagePath = info.UsageRecord.imagePath();
    if (!services.shell.fileExists(imagePath)) return 0;
    return appendIconOf(imagePath, sink, services);
}

std::string sizeCellText(std::int64_t installedSize, Locale& locale) {
    return installedSize > 0 ? FormatFileSize(installedSize, locale) : std::string();
}

std::string lastUsedCellText(std::int64_t lastUsed, Clock& clock, Locale& locale) {
    if (lastUsed <= 0) return {};
    try {
        return FormatDateTimeText(FileTimeToLocalDateTime(clock, lastUsed), locale);
    } catch (const ConversionError&) {
        // A stamp beyond the year 9999 is a damaged record: show no date, keep the list.
        return {};
    }
}

std::string programCountText(int rows) {
    return std::to_string(rows) + " programs available for uninstall";
}

int FillProgramList(InventoryArray& inventory, ProgramListSink& sink,
                    const ListFillServices& services) {
    sink.reserveImages(static_cast<int>(
        std::count_if(inventory.begin(), inventory.end(),
                      [](const TAppInfo& info) { return isListed(info) && mayHaveIcon(info); })));

    int rows = 0;
    {
        ListUpdate update(sink);
        for (TAppInfo& info : inventory) {
            if (!isListed(info)) continue;
            const int image = rowImageOf(info, sink, services);
            sink.addRow(
                captionOf(info), &info, image,
                {sizeCellText(info.UsageRecord.installedSize(), services.locale),
                 lastUsedCellText(info.UsageRecord.lastUsed(), services.clock, services.locale),
                 info.FrequencyText});
            ++rows;
        }
    }
    sink.setColumnWidth(0, std::max(0, sink.columnWidth(0) - kNameColumnNarrowing));
    sink.setStatusText(kCountStatusPanel, programCountText(rows));
    return rows;
}

} // namespace remvana
