// Maps action numbers to handlers. A handler is a plain function taking
// its parameters as strings in catalogue order; Bind<> adapts it to the
// host's parameter array, so the table can check arities and the handler
// never sees raw host pointers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "catalogue.h"

namespace kv {

struct ActionBinding {
    // Reads `arity` texts from the host's array and runs the handler.
    bool (*run)(const char* const* params) = nullptr;
    int32_t arity = 0;
};

using ActionTable = std::array<ActionBinding, kHighestActionId + 1>;

namespace detail {

template <typename F>
struct HandlerTraits;

template <typename R, typename... Args>
struct HandlerTraits<R (*)(Args...)> {
    using Result = R;
    static constexpr int32_t kArity = static_cast<int32_t>(sizeof...(Args));
};

inline std::string ParamText(const char* const* params, size_t index) {
    // A missing array or element reads as an empty text.
    if (params == nullptr || params[index] == nullptr) return {};
    return params[index];
}

template <auto Fn, size_t... I>
bool RunBound(const char* const* params, std::index_sequence<I...>) {
    // Each handler works on its own copies of the texts.
    using Result = typename HandlerTraits<decltype(Fn)>::Result;
    if constexpr (std::is_same_v<Result, bool>) {
        return Fn(ParamText(params, I)...);
    } else {
        static_assert(std::is_integral_v<Result>, "handlers yield a Boolean or a number");
        return Fn(ParamText(params, I)...) != 0;  // a number counts as true when not zero
    }
}

}  // namespace detail

template <auto Fn>
constexpr ActionBinding Bind() {
    constexpr int32_t arity = detail::HandlerTraits<decltype(Fn)>::kArity;
    static_assert(arity <= kMaxParams);
    return {[](const char* const* params) {
                return detail::RunBound<Fn>(params, std::make_index_sequence<size_t(arity)>{});
            },
            arity};
}

// Runs the handler bound to `number`. Numbers above the table (negative
// ones included, read as unsigned) and unbound entries return false.
inline bool DispatchAction(const ActionTable& table, int32_t number, const char* const* params) {
    const auto index = static_cast<uint32_t>(number);
    if (index >= table.size()) return false;
    const ActionBinding& binding = table[index];
    if (binding.run == nullptr) return false;
    return binding.run(params);
}

}  // namespace kv
