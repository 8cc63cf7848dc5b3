UPDATE TSiteCategories SET IsReadyBrisklet = True WHERE SiteCategory = 'Mobile_Naver_Cafe'■
