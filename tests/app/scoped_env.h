#pragma once
// Sets an environment variable for one scope.

#include <cstdlib>
#include <optional>
#include <string>

namespace quilmo::test {

class TScopedEnv {
public:
    TScopedEnv(const char* name, const std::string& value) : FName(name)
    {
        if (const char* old = std::getenv(name)) FOld = old;
        setenv(name, value.c_str(), 1);
    }
    ~TScopedEnv() { FOld ? setenv(FName, FOld->c_str(), 1) : unsetenv(FName); }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* FName;
    std::optional<std::string> FOld;
};

}  // namespace quilmo::test
