#pragma once
// Answers one popup menu of this process from a background thread, as a user would with the
// keyboard: the test starts an answerer, then does what opens the menu on its own thread.
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace remvana::testing {

class MenuAnswerer {
  public:
    struct Item {
        std::string caption;
        bool checked = false;
        bool grayed = false;
    };

    // Waits for a popup menu (window class "#32768"), notes its items, then chooses the item
    // with that caption; with an empty caption it closes the menu choosing nothing.
    // With a screenshot name the menu is saved as a picture (saveScreenshot) before the
    // choice.
    explicit MenuAnswerer(std::string choose, std::string screenshot = {});
    ~MenuAnswerer();
    MenuAnswerer(const MenuAnswerer&) = delete;
    MenuAnswerer& operator=(const MenuAnswerer&) = delete;

    // The menu's items as it showed them; empty when no menu came. Waits first.
    const std::vector<Item>& items();

  private:
    void run();

    std::string choose_;
    std::string screenshot_;
    std::vector<Item> items_;
    std::thread thread_;
};

} // namespace remvana::testing
