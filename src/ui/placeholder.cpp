// The window library gains its pages and dialogs here.
