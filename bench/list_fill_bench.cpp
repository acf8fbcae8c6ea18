#include "bench/list_fill_bench.h"

#include "inventory/list_fill.h"
#include "inventory/refresh.h"
#include "inventory/win32/list_view_sink.h"

namespace remvana::bench {

ListFillBench::ListFillBench(RegistryFactory& registry, Locale& locale, InventoryArray& inventory)
    : registry_(registry), locale_(locale), inventory_(inventory) {
    // A plain static window hosts the list; the list needs no notifications here.
    host_ = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 600, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    images_ = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 4);
    HICON generic = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ImageList_AddIcon(images_, generic);
    list_ = std::make_unique<TAdvListView>(locale_);
    list_->create(host_, 1, RECT{0, 0, 580, 560});
    list_->setSmallImages(images_);
}

ListFillBench::~ListFillBench() {
    list_.reset();
    DestroyWindow(host_);
    ImageList_Destroy(images_);
}

void ListFillBench::refreshAndFill(bool withIcons) {
    clearProgramRows(*list_, images_);
    rebuildInventory(registry_, locale_, inventory_);
    if (!withIcons) {
        for (TAppInfo& info : inventory_) {
            info.DisplayIcon.clear();
            for (std::size_t i = 4; i < 8; ++i)
                info.UsageRecord.bytes[i] = 0; // HasName
        }
    }
    ListViewSink sink(*list_, images_, nullptr);
    FillProgramList(inventory_, sink, {shell_, registry_, clock_, locale_});
}

} // namespace remvana::bench
