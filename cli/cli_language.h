#pragma once
// The command line speaks the language the windows speak under the same locale: Japanese, the
// language its texts are written in, or English.

namespace quilmo::cli {

// The texts made from now on (UiText) are in the locale's language. Called before the
// commands and their help are made.
void UseLocaleLanguage();

}  // namespace quilmo::cli
