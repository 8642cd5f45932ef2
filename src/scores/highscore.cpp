// Placeholder until the champions list file lands.
