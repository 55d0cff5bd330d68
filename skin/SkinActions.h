#pragma once

namespace vantrel {

class PictureStore;
class SettingsEditor;
class Window;

// Builds the store for the user's language (or the one given, 0 meaning the
// locale's) and loads that language's default skin file.
void StartSettings(int language = 0);

// The dialog the preferences command shows; null leaves the command inert.
void SetSettingsEditor(SettingsEditor* editor);
SettingsEditor* CurrentSettingsEditor();
// Shows the whole settings tree; on OK takes the edits and saves the
// language's default skin file. True when the user confirmed.
bool RunSettingsDialog(Window* owner);

// "English" (646), "German" (647) and "Default" (125): applies the language
// and answers true; any other command answers false.
bool LanguageCommand(int command);

// The same commands from the user: a language change loses unsaved skin and
// preference changes, so when there are any the user is asked first (Yes
// saves them in the current language's default skin file, No drops them,
// Cancel keeps the language). Applied when the language was applied;
// NotALanguage for any other command.
enum class LanguageChoice { NotALanguage, Kept, Applied };
LanguageChoice ChooseLanguage(Window* owner, int command);

// After a skin or language change: every element picture that is set is
// loaded again under its element's id so that the screen shows the skin.
void ReloadSkinPictures(PictureStore& media);

}  // namespace vantrel
