// Every form the main window opens from a menu item, by its class name. A
// form that is not built yet has no entry, and its menu item stays disabled.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using FormFactory = std::function<std::unique_ptr<QDialog>()>;

// The factory of the form, or nullptr when the form is not built yet.
const FormFactory* FindForm(std::string_view formName);

// The class names of every form in the list, in name order.
std::vector<std::string> FormNames();
