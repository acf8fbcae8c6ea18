#include "bench/list_fill_bench.h"

#include "inventory/list_fill.h"
#include "inventory/refresh.h"

namespace remvana::bench {

namespace {
constexpr const char* kHostClass = "RemvanaBenchHost";
} // namespace

// The host passes the list's notifications on, as the main window's list pane does.
LRESULT CALLBACK ListFillBench::hostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* self = reinterpret_cast<ListFillBench*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        LRESULT result = 0;
        if (self && self->list_ &&
            self->list_->handleNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

ListFillBench::ListFillBench(RegistryFactory& registry, Locale& locale)
    : registry_(registry), locale_(locale) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    // The main window's list size.
    host_.reset(CreateWindowExA(0, kHostClass, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480,
                                560, nullptr, nullptr, wc.hInstance, nullptr));
    SetWindowLongPtrA(host_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    images_ = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 64);
    HICON generic = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ImageList_AddIcon(images_, generic);
    list_ = std::make_unique<TAdvListView>(locale_);
    list_->create(host_.get(), 1, RECT{0, 0, 460, 520});
    list_->setSmallImages(images_);
    icons_ = std::make_unique<ProgramListIcons>(*list_, images_, inventory_, shell_, registry_);
}

ListFillBench::~ListFillBench() {
    icons_.reset();
    list_.reset();
    host_.reset();
    ImageList_Destroy(images_);
}

void ListFillBench::refreshAndFill(bool withIcons) {
    icons_->clearRows();
    inventory_.rebuild(registry_, locale_);
    if (!withIcons) {
        for (EntryId id = 0; id < inventory_.size(); ++id) {
            TAppInfo& info = inventory_.entry(id);
            info.DisplayIcon.clear();
            for (std::size_t i = 4; i < 8; ++i)
                info.UsageRecord.bytes[i] = 0; // HasName
        }
    }
    ListViewSink sink(*list_, nullptr);
    FillProgramList(inventory_, sink, {clock_, locale_});
    // On screen at last: the rows in view are drawn, with their icons.
    RedrawWindow(host_.get(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace remvana::bench
