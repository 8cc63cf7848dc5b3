UPDATE TSiteCategories SET IsVisibleMTX = False WHERE Type = 2■
