// Nothing to share.
