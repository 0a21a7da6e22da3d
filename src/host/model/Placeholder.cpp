// Placeholder: the in-memory IDE arrives with its own change.
