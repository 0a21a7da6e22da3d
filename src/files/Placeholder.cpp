// Placeholder: reading and writing VB6 files arrives with its own change.
