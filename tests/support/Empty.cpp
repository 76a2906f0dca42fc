// Keeps the harness library non-empty while the folder has no other file.
