#pragma once

// The window tests of one executable run together; each test file registers its test object.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace fortema::ui::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<TestFactory>& testFactories() {
    static std::vector<TestFactory> factories;
    return factories;
}

template <typename T>
struct RegisterTest {
    RegisterTest() {
        testFactories().push_back([] { return std::make_unique<T>(); });
    }
};

}  // namespace fortema::ui::test
