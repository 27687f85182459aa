#pragma once
// Start-up of the dialogs: fills in the label's openers (map, picture file,
// an element's own edit dialog) and the editors' settings dialog.
void InitializeKVRFMXDialogs();
// The long-text dialog of a paragraph or rich text, its text written in one
// edit; false for other elements.
class TVXLabelFMX;
class TKVRBaseItem;
bool KVREditItemText(TVXLabelFMX& aLabel, TKVRBaseItem* aItem);
// The sheet dialog of the label's mode; OK writes it back in one bracket.
void KVREditProperties(TVXLabelFMX& aLabel);
