// Compiles the precompiled Qt headers that the widget code shares (see QuorvexPch.cmake).
