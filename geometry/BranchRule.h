#pragma once

// One branch rule: the complex factor that turns a parent segment's vector
// into its child's (length ratio and turn in one number).
struct BranchRule {
    double re = 0.0;
    double im = 0.0;

    friend constexpr bool operator==(BranchRule, BranchRule) = default;
};
